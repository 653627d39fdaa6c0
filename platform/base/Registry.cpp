#include "platform/base/Registry.h"

#include "platform/base/Exceptions.h"
#include "platform/base/FormReader.h"

#include <algorithm>
#include <climits>

namespace {

// Identifiers of descriptions ignore the case of ASCII letters.
bool SameIdent(const AnsiString& A, const AnsiString& B) {
    if (A.size() != B.size())
        return false;
    for (std::size_t i = 0; i < A.size(); ++i) {
        char a = A[i] >= 'A' && A[i] <= 'Z' ? static_cast<char>(A[i] + 32) : A[i];
        char b = B[i] >= 'A' && B[i] <= 'Z' ? static_cast<char>(B[i] + 32) : B[i];
        if (a != b)
            return false;
    }
    return true;
}

std::vector<std::pair<AnsiString, long long>>& Idents() {
    static std::vector<std::pair<AnsiString, long long>> idents;
    return idents;
}

// The value as it would be written, for error messages.
AnsiString ValueText(const TValue& V) {
    switch (V.Kind) {
    case TValue::vaInt:
        return std::to_string(V.Int);
    case TValue::vaIdent:
    case TValue::vaString:
        return V.Text;
    case TValue::vaSet: {
        AnsiString s = "[";
        for (std::size_t i = 0; i < V.Items.size(); ++i)
            s += (i > 0 ? ", " : "") + V.Items[i];
        return s + "]";
    }
    }
    return {};
}

} // namespace

std::optional<int> TEnumInfo::Find(const AnsiString& Name) const {
    for (const auto& [name, value] : Elements)
        if (SameIdent(name, Name))
            return value;
    return std::nullopt;
}

AnsiString TEnumInfo::NameOf(int Value) const {
    for (const auto& [name, value] : Elements)
        if (value == Value)
            return name;
    return {};
}

void RegisterIdents(const std::vector<std::pair<AnsiString, long long>>& List) {
    auto& idents = Idents();
    for (const auto& entry : List)
        if (!FindIdent(entry.first))
            idents.push_back(entry);
}

std::optional<long long> FindIdent(const AnsiString& Name) {
    for (const auto& [name, value] : Idents())
        if (SameIdent(name, Name))
            return value;
    return std::nullopt;
}

AnsiString IdentOf(long long Value, const AnsiString& Prefix) {
    for (const auto& [name, value] : Idents())
        if (value == Value && name.compare(0, Prefix.size(), Prefix) == 0)
            return name;
    return {};
}

bool TPropInfo::IsStored(TObject* Instance) const {
    if (!Read)
        return false;
    return !Default || Read(Instance) != *Default;
}

const TPropInfo* TClassInfo::FindProperty(const AnsiString& Name) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
        for (const TPropInfo& p : c->Properties)
            if (SameIdent(p.Name, Name))
                return &p;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(const AnsiString& Name) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
        for (const TFieldInfo& f : c->Fields)
            if (SameIdent(f.Name, Name))
                return &f;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
    std::vector<const TPropInfo*> all =
        Parent != nullptr ? Parent->AllProperties() : std::vector<const TPropInfo*>();
    for (const TPropInfo& p : Properties) {
        // A class that publishes an inherited property again keeps its inherited place.
        auto same = std::find_if(all.begin(), all.end(),
                                 [&](const TPropInfo* q) { return SameIdent(q->Name, p.Name); });
        if (same != all.end())
            *same = &p;
        else
            all.push_back(&p);
    }
    return all;
}

std::any TClassInfo::Method(TObject* Instance, const AnsiString& Name) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
        for (const auto& [name, bind] : c->Methods)
            if (SameIdent(name, Name))
                return bind(Instance);
    return {};
}

TClassRegistry& TClassRegistry::Instance() {
    static TClassRegistry registry;
    return registry;
}

TClassInfo& TClassRegistry::Add(const AnsiString& Name, const AnsiString& ParentName) {
    for (const auto& c : FClasses)
        if (SameIdent(c->Name, Name))
            return *c;
    const TClassInfo* parent = nullptr;
    if (!ParentName.empty()) {
        parent = Find(ParentName);
        if (parent == nullptr)
            throw EInvalidOperation(Format("class %s: its parent class %s is not registered",
                                           Name.c_str(), ParentName.c_str()));
    }
    auto info = std::make_unique<TClassInfo>();
    info->Name = Name;
    info->Parent = parent;
    FClasses.push_back(std::move(info));
    return *FClasses.back();
}

const TClassInfo* TClassRegistry::Find(const AnsiString& Name) const {
    for (const auto& c : FClasses)
        if (SameIdent(c->Name, Name))
            return c.get();
    return nullptr;
}

void BadValue(const TValue& V, TReader& R) {
    R.Error(Format("invalid value '%s'", ValueText(V).c_str()));
}

bool TValueTraits<bool>::From(const TValue& V, TReader& R) {
    if (V.Kind == TValue::vaIdent) {
        if (SameIdent(V.Text, "True"))
            return true;
        if (SameIdent(V.Text, "False"))
            return false;
    }
    BadValue(V, R);
}

AnsiString TValueTraits<AnsiString>::From(const TValue& V, TReader& R) {
    if (V.Kind != TValue::vaString)
        BadValue(V, R);
    return V.Text;
}

long long IntegerFromValue(const TValue& V, TReader& R) {
    if (V.Kind == TValue::vaInt)
        return V.Int;
    if (V.Kind == TValue::vaIdent)
        if (auto value = FindIdent(V.Text))
            return *value;
    BadValue(V, R);
}

long long EnumFromValue(const TValue& V, const TEnumInfo& Info, bool IsSet, TReader& R) {
    if (!IsSet) {
        if (V.Kind == TValue::vaIdent)
            if (auto value = Info.Find(V.Text))
                return *value;
        BadValue(V, R);
    }
    if (V.Kind != TValue::vaSet)
        BadValue(V, R);
    long long bits = 0;
    for (const AnsiString& item : V.Items) {
        auto value = Info.Find(item);
        if (!value || *value < 0 || *value >= 63)
            BadValue(TValue::Ident(item), R);
        bits |= 1LL << *value;
    }
    return bits;
}

TValue EnumToValue(long long Value, const TEnumInfo& Info, bool IsSet) {
    if (!IsSet) {
        AnsiString name =
            Value >= INT_MIN && Value <= INT_MAX ? Info.NameOf(static_cast<int>(Value)) : "";
        return name.empty() ? TValue::Integer(Value) : TValue::Ident(name);
    }
    std::vector<AnsiString> items;
    for (const auto& [name, value] : Info.Elements)
        if (value >= 0 && value < 63 && (Value & (1LL << value)) != 0)
            items.push_back(name);
    return TValue::Set(std::move(items));
}

std::any MethodFromValue(const TValue& V, TReader& R) {
    if (V.Kind != TValue::vaIdent)
        BadValue(V, R);
    std::any method = R.Method(V.Text);
    if (!method.has_value())
        R.Error(Format("unknown method '%s'", V.Text.c_str()));
    return method;
}

void BadEventValue(const TValue& V, TReader& R) {
    R.Error(Format("method of the wrong type for this event '%s'", ValueText(V).c_str()));
}

void ReferenceFromValue(const TValue& V, TReader& R, std::function<bool(TComponent*)> Apply) {
    if (V.Kind != TValue::vaIdent)
        BadValue(V, R);
    R.FixupReference(V.Text, std::move(Apply));
}
