#include "platform/base/FormReader.h"

#include "platform/base/Exceptions.h"
#include "platform/base/MultiByte.h"

#include <charconv>
#include <climits>

namespace {

TReader::TParentHook& ParentHook() {
    static TReader::TParentHook hook;
    return hook;
}

bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool SameKeyword(const AnsiString& Word, const char* Keyword) {
    return LowerCase(Word) == Keyword;
}

// A whole-number literal: decimal or $hex, with an optional minus sign.
std::optional<long long> ParseInteger(const AnsiString& Word) {
    std::size_t i = 0;
    bool negative = Word.size() > 1 && Word[0] == '-';
    if (negative)
        ++i;
    bool hex = i < Word.size() && Word[i] == '$';
    if (hex)
        ++i;
    if (i >= Word.size())
        return std::nullopt;
    unsigned long long magnitude = 0;
    const char* first = Word.data() + i;
    const char* last = Word.data() + Word.size();
    auto [end, ec] = std::from_chars(first, last, magnitude, hex ? 16 : 10);
    if (ec != std::errc() || end != last)
        return std::nullopt;
    if (hex && !negative)
        return static_cast<long long>(magnitude); // $FFFFFFFFFFFFFFFF is -1, as written
    if (magnitude > static_cast<unsigned long long>(LLONG_MAX) + (negative ? 1 : 0))
        return std::nullopt;
    return negative ? static_cast<long long>(0 - magnitude) : static_cast<long long>(magnitude);
}

} // namespace

// The reader proper: a scanner over the text and a parser of objects and properties.
class TFormParser {
public:
    explicit TFormParser(TReader& Reader) : R(Reader), S(Reader.FText) {}

    void ReadRoot();

private:
    enum TTokenKind { tkEof, tkIdent, tkNumber, tkString, tkSymbol };
    struct TToken {
        TTokenKind Kind = tkEof;
        AnsiString Word; // as written (the string's text for tkString)
        int Line = 1;    // where it starts
        int EndLine = 1; // where it ends (strings continue over lines)
    };

    [[noreturn]] void ErrorAt(int Line, const AnsiString& Message) {
        R.FLine = Line;
        R.Error(Message);
    }
    [[noreturn]] void ErrorAt(const TToken& T, const char* What) {
        ErrorAt(T.Line, Format("%s '%s'", What, T.Kind == tkEof ? "" : T.Word.c_str()));
    }

    void Advance();
    void SkipBlanks();
    void ScanString();
    bool AtStringStart() const { return FPos < S.size() && (S[FPos] == '\'' || S[FPos] == '#'); }

    bool AtKeyword(const char* Keyword) const {
        return FTok.Kind == tkIdent && SameKeyword(FTok.Word, Keyword);
    }
    bool AtObject() const {
        return AtKeyword("object") || AtKeyword("inherited") || AtKeyword("inline");
    }
    bool AtSymbol(char C) const { return FTok.Kind == tkSymbol && FTok.Word[0] == C; }
    // One item per line: the next token must start on a later line.
    void ExpectLineEnd(int LastLine) {
        if (FTok.Kind != tkEof && FTok.Line == LastLine)
            ErrorAt(FTok, "end of line expected instead of");
    }

    void ExpectClassName(int HeaderLine, const AnsiString& After) {
        if (FTok.Kind == tkIdent && FTok.Line == HeaderLine)
            return;
        if (FTok.Kind != tkEof && FTok.Line == HeaderLine)
            ErrorAt(FTok, "class name expected instead of");
        ErrorAt(HeaderLine, Format("class name expected after '%s'", After.c_str()));
    }

    struct THeader {
        bool Inherited = false;
        AnsiString Name;
        AnsiString ClassName;
        int Line = 0;
    };
    THeader ReadHeader();
    void ReadObject(TComponent* Enclosing);
    void ReadBody(TComponent* Instance, const TClassInfo& Info, const AnsiString& Name,
                  int HeaderLine);
    void ReadProperty(TComponent* Instance, const TClassInfo& Info);
    TValue ReadValue();
    void ResolveFixups();

    TReader& R;
    const AnsiString& S;
    std::size_t FPos = 0;
    int FScanLine = 1;
    TToken FTok;
    const TClassInfo* FRootInfo = nullptr;
    std::vector<TComponent*> FCreated;
};

void TFormParser::SkipBlanks() {
    while (FPos < S.size()) {
        char c = S[FPos];
        if (c == '\n')
            ++FScanLine;
        else if (c != ' ' && c != '\t' && c != '\r')
            return;
        ++FPos;
    }
}

void TFormParser::Advance() {
    SkipBlanks();
    FTok = TToken();
    FTok.Line = FTok.EndLine = FScanLine;
    if (FPos >= S.size())
        return;
    char c = S[FPos];
    std::size_t start = FPos;
    if (IsIdentStart(c)) {
        // Dotted names (Font.Name) are one word.
        while (FPos < S.size() && (IsIdentChar(S[FPos]) || (S[FPos] == '.' && FPos + 1 < S.size() &&
                                                            IsIdentStart(S[FPos + 1]))))
            ++FPos;
        FTok.Kind = tkIdent;
    } else if (IsDigit(c) || c == '$' ||
               (c == '-' && FPos + 1 < S.size() && (IsDigit(S[FPos + 1]) || S[FPos + 1] == '$'))) {
        // The whole run, so that "12px" or "1.5" is refused as written.
        ++FPos;
        if (c == '-' && S[FPos] == '$')
            ++FPos;
        while (FPos < S.size() && (IsIdentChar(S[FPos]) || S[FPos] == '.'))
            ++FPos;
        FTok.Kind = tkNumber;
    } else if (c == '\'' || c == '#') {
        ScanString();
        return;
    } else {
        FPos = NextCharOffset(S.data(), S.size(), FPos);
        FTok.Kind = tkSymbol;
    }
    FTok.Word = S.substr(start, FPos - start);
}

// 'text' pieces and #nnn characters, side by side, continued by "+" over lines.
void TFormParser::ScanString() {
    FTok.Kind = tkString;
    for (;;) {
        while (AtStringStart()) {
            if (S[FPos] == '\'') {
                std::size_t start = ++FPos;
                for (;;) {
                    if (FPos >= S.size() || S[FPos] == '\n' || S[FPos] == '\r')
                        ErrorAt(FScanLine, Format("unterminated string '%s'",
                                                  S.substr(start, FPos - start).c_str()));
                    if (S[FPos] == '\'') {
                        if (FPos + 1 < S.size() && S[FPos + 1] == '\'') {
                            FTok.Word += '\'';
                            FPos += 2;
                            continue;
                        }
                        ++FPos;
                        break;
                    }
                    FTok.Word += S[FPos++];
                }
            } else {
                std::size_t start = FPos++;
                if (FPos < S.size() && S[FPos] == '$')
                    ++FPos;
                while (FPos < S.size() && IsIdentChar(S[FPos]))
                    ++FPos;
                AnsiString code = S.substr(start, FPos - start);
                auto value = ParseInteger(code.substr(1));
                if (!value || *value < 0 || *value > 0x10FFFF ||
                    (*value >= 0xD800 && *value <= 0xDFFF))
                    ErrorAt(FScanLine, Format("invalid character code '%s'", code.c_str()));
                FTok.Word += EncodeChar(static_cast<char32_t>(*value));
            }
        }
        FTok.EndLine = FScanLine;
        std::size_t save = FPos;
        int saveLine = FScanLine;
        SkipBlanks();
        if (FPos < S.size() && S[FPos] == '+') {
            ++FPos;
            SkipBlanks();
            if (AtStringStart())
                continue;
            ErrorAt(FScanLine, Format("string expected after '+' '%s'",
                                      S.substr(FPos, S.find('\n', FPos) - FPos).c_str()));
        }
        FPos = save;
        FScanLine = saveLine;
        return;
    }
}

TFormParser::THeader TFormParser::ReadHeader() {
    THeader h;
    h.Line = FTok.Line;
    h.Inherited = AtKeyword("inherited");
    AnsiString keyword = FTok.Word;
    Advance();
    ExpectClassName(h.Line, keyword);
    AnsiString first = FTok.Word;
    Advance();
    if (AtSymbol(':') && FTok.Line == h.Line) {
        Advance();
        ExpectClassName(h.Line, first + ":");
        h.Name = first;
        h.ClassName = FTok.Word;
        Advance();
    } else {
        h.ClassName = first; // an unnamed component
    }
    ExpectLineEnd(h.Line);
    return h;
}

void TFormParser::ReadRoot() {
    TComponent* root = R.FRoot;
    if (S.compare(0, 3, "\xEF\xBB\xBF") == 0)
        FPos = 3; // a byte order mark left by an editor
    Advance();
    if (!AtObject())
        ErrorAt(FTok, "'object' expected instead of");
    THeader h = ReadHeader();
    FRootInfo = TClassRegistry::Instance().Find(root->ClassName());
    if (FRootInfo == nullptr)
        ErrorAt(h.Line, Format("unknown class '%s'", root->ClassName().c_str()));
    const TClassInfo* named = FRootInfo;
    while (named != nullptr && LowerCase(named->Name) != LowerCase(h.ClassName))
        named = named->Parent;
    if (named == nullptr)
        ErrorAt(h.Line, Format("the form is not of class '%s'", h.ClassName.c_str()));

    root->SetLoading(true);
    try {
        if (!h.Name.empty())
            root->SetName(h.Name);
        ReadBody(root, *FRootInfo, h.Name, h.Line);
        if (FTok.Kind != tkEof)
            ErrorAt(FTok, "text after the last end");
        ResolveFixups();
    } catch (...) {
        root->SetLoading(false);
        for (TComponent* c : FCreated)
            c->SetLoading(false);
        throw;
    }
    root->Loaded();
    for (TComponent* c : FCreated)
        c->Loaded();
    root->SetLoading(false);
    for (TComponent* c : FCreated)
        c->SetLoading(false);
}

void TFormParser::ReadObject(TComponent* Enclosing) {
    THeader h = ReadHeader();
    TComponent* root = R.FRoot;
    const TClassInfo* info = TClassRegistry::Instance().Find(h.ClassName);
    if (info == nullptr)
        ErrorAt(h.Line, Format("unknown class '%s'", h.ClassName.c_str()));
    TComponent* existing = root->FindComponent(h.Name);
    TComponent* c = nullptr;
    if (h.Inherited && existing != nullptr) {
        c = existing; // described by an ancestor form and made already
    } else {
        if (existing != nullptr || (!h.Name.empty() && h.Name == root->Name()))
            ErrorAt(h.Line, Format("duplicate name '%s'", h.Name.c_str()));
        if (!info->Create)
            ErrorAt(h.Line, Format("not a component class '%s'", h.ClassName.c_str()));
        c = info->Create(root);
        FCreated.push_back(c);
        c->SetLoading(true);
        c->SetName(h.Name);
    }
    if (const TFieldInfo* field = FRootInfo->FindField(h.Name))
        if (!field->Bind(root, c))
            ErrorAt(h.Line,
                    Format("component of another class than its field '%s'", h.Name.c_str()));
    if (ParentHook())
        ParentHook()(c, Enclosing);
    ReadBody(c, *info, h.Name.empty() ? h.ClassName : h.Name, h.Line);
}

void TFormParser::ReadBody(TComponent* Instance, const TClassInfo& Info, const AnsiString& Name,
                           int HeaderLine) {
    for (;;) {
        if (FTok.Kind == tkEof)
            ErrorAt(HeaderLine, Format("missing end of '%s'", Name.c_str()));
        if (AtKeyword("end")) {
            int line = FTok.Line;
            Advance();
            ExpectLineEnd(line);
            return;
        }
        if (AtObject())
            ReadObject(Instance);
        else if (FTok.Kind == tkIdent)
            ReadProperty(Instance, Info);
        else
            ErrorAt(FTok, "property name expected instead of");
    }
}

void TFormParser::ReadProperty(TComponent* Instance, const TClassInfo& Info) {
    TToken name = FTok;
    // Dotted names go through the objects held by the properties before the last dot.
    TObject* target = Instance;
    const TClassInfo* info = &Info;
    std::size_t start = 0;
    const TPropInfo* prop = nullptr;
    for (;;) {
        std::size_t dot = name.Word.find('.', start);
        AnsiString part = name.Word.substr(start, dot == AnsiString::npos ? dot : dot - start);
        prop = info->FindProperty(part);
        if (prop == nullptr || (dot != AnsiString::npos && !prop->Object))
            ErrorAt(name, "unknown property");
        if (dot == AnsiString::npos)
            break;
        TPersistent* object = prop->Object(target);
        if (object == nullptr)
            ErrorAt(name, "no object behind the property");
        info = TClassRegistry::Instance().Find(object->ClassName());
        if (info == nullptr)
            ErrorAt(name.Line, Format("unknown class '%s'", object->ClassName().c_str()));
        target = object;
        start = dot + 1;
    }
    if (!prop->Write)
        ErrorAt(name, "property that takes no value");
    Advance();
    if (!AtSymbol('=') || FTok.Line != name.Line)
        ErrorAt(FTok.Line == name.Line ? FTok : name,
                FTok.Line == name.Line ? "'=' expected instead of" : "'=' expected after");
    Advance();
    if (FTok.Line != name.Line)
        ErrorAt(name, "value expected after");
    TValue value = ReadValue();
    int endLine = FTok.EndLine;
    Advance();
    ExpectLineEnd(endLine);
    R.FLine = name.Line;
    try {
        prop->Write(target, value, R);
    } catch (const EReadError&) {
        throw;
    } catch (const EAbort&) {
        throw;
    } catch (const Exception& e) {
        // A setter that refuses the value: say where.
        ErrorAt(name.Line, Format("%s '%s'", e.Message().c_str(), name.Word.c_str()));
    }
}

TValue TFormParser::ReadValue() {
    switch (FTok.Kind) {
    case tkNumber: {
        auto value = ParseInteger(FTok.Word);
        if (!value)
            ErrorAt(FTok, "invalid value");
        return TValue::Integer(*value);
    }
    case tkString:
        return TValue::String(FTok.Word);
    case tkIdent:
        return TValue::Ident(FTok.Word);
    case tkSymbol:
        if (AtSymbol('[')) {
            std::vector<AnsiString> items;
            Advance();
            while (!AtSymbol(']')) {
                if (!items.empty()) {
                    if (!AtSymbol(','))
                        ErrorAt(FTok, "',' or ']' expected instead of");
                    Advance();
                }
                if (FTok.Kind != tkIdent)
                    ErrorAt(FTok, "invalid value");
                items.push_back(FTok.Word);
                Advance();
            }
            return TValue::Set(std::move(items));
        }
        break;
    case tkEof:
        break;
    }
    ErrorAt(FTok, "invalid value");
}

void TFormParser::ResolveFixups() {
    TComponent* root = R.FRoot;
    for (const TReader::TFixup& f : R.FFixups) {
        R.FLine = f.Line;
        TComponent* c = nullptr;
        if (LowerCase(f.Name) != "nil") {
            c = f.Name == root->Name() ? root : root->FindComponent(f.Name);
            if (c == nullptr)
                R.Error(Format("unknown component '%s'", f.Name.c_str()));
        }
        if (!f.Apply(c))
            R.Error(Format("component of the wrong class '%s'", f.Name.c_str()));
    }
    R.FFixups.clear();
}

TReader::TReader(AnsiString Text, AnsiString FormName)
    : FText(std::move(Text)), FFormName(std::move(FormName)) {}

void TReader::ReadRootComponent(TComponent* Root) {
    FRoot = Root;
    FFixups.clear();
    TFormParser(*this).ReadRoot();
}

void TReader::SetParentHook(TParentHook Hook) {
    ParentHook() = std::move(Hook);
}

void TReader::Error(const AnsiString& Message) const {
    throw EReadError(Format("%s: %d: %s", FFormName.c_str(), FLine, Message.c_str()));
}

std::any TReader::Method(const AnsiString& Name) const {
    const TClassInfo* info =
        FRoot != nullptr ? TClassRegistry::Instance().Find(FRoot->ClassName()) : nullptr;
    return info != nullptr ? info->Method(FRoot, Name) : std::any();
}

void TReader::FixupReference(const AnsiString& Name, std::function<bool(TComponent*)> Apply) {
    FFixups.push_back({Name, FLine, std::move(Apply)});
}

void ReadComponentRes(const char* Text, const AnsiString& FormName, TComponent* Root) {
    TReader(Text, FormName).ReadRootComponent(Root);
}
