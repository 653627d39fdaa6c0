#include "platform/base/MultiByte.h"

#include <cwchar>
#include <cwctype>

bool IsLeadByte(unsigned char b) {
    return b >= 0xC0 && b <= 0xF7;
}
bool IsTrailByte(unsigned char b) {
    return b >= 0x80 && b <= 0xBF;
}

TMbcsByteType ByteType(const AnsiString& S, std::size_t Index) {
    if (Index < 1 || Index > S.size())
        return mbSingleByte;
    auto b = static_cast<unsigned char>(S[Index - 1]);
    if (IsLeadByte(b))
        return mbLeadByte;
    if (IsTrailByte(b))
        return mbTrailByte;
    return mbSingleByte;
}

std::size_t CharCount(const char* S, std::size_t Length) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < Length; ++i)
        if (!IsTrailByte(static_cast<unsigned char>(S[i])))
            ++n;
    return n;
}

std::size_t CharCount(const AnsiString& S) {
    return CharCount(S.data(), S.size());
}

std::size_t NextCharOffset(const char* S, std::size_t Length, std::size_t Offset) {
    if (Offset >= Length)
        return Length;
    std::size_t i = Offset + 1;
    if (IsLeadByte(static_cast<unsigned char>(S[Offset])))
        while (i < Length && IsTrailByte(static_cast<unsigned char>(S[i])))
            ++i;
    return i;
}

std::size_t CharEndOffset(const char* S, std::size_t Length, std::size_t Offset) {
    while (Offset < Length && IsTrailByte(static_cast<unsigned char>(S[Offset])))
        ++Offset;
    return Offset;
}

char32_t DecodeChar(const char* S, std::size_t Length, std::size_t Offset) {
    auto b = static_cast<unsigned char>(S[Offset]);
    if (!IsLeadByte(b))
        return b;
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    char32_t code = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if (Offset + k >= Length || !IsTrailByte(static_cast<unsigned char>(S[Offset + k])))
            return b;
        code = (code << 6) | (static_cast<unsigned char>(S[Offset + k]) & 0x3F);
    }
    return code;
}

AnsiString EncodeChar(char32_t c) {
    AnsiString s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

static char32_t AsciiUpper(char32_t c) {
    return c >= 'a' && c <= 'z' ? c - 32 : c;
}

bool IsAccel(char32_t Key, const AnsiString& Caption) {
    const char* s = Caption.data();
    std::size_t n = Caption.size();
    bool found = false;
    char32_t accel = 0;
    for (std::size_t i = 0; i < n; i = NextCharOffset(s, n, i)) {
        if (s[i] != '&' || i + 1 >= n)
            continue;
        ++i; // the character after the "&"
        if (s[i] == '&')
            continue; // "&&" is a literal ampersand, skipped whole
        found = true;
        accel = DecodeChar(s, n, i);
    }
    return found && AsciiUpper(accel) == AsciiUpper(Key);
}

static std::wstring Folded(const AnsiString& s) {
    std::wstring w;
    for (std::size_t i = 0; i < s.size(); i = NextCharOffset(s.data(), s.size(), i))
        w += static_cast<wchar_t>(
            std::towupper(static_cast<wint_t>(DecodeChar(s.data(), s.size(), i))));
    return w;
}

int AnsiCompareText(const AnsiString& S1, const AnsiString& S2) {
    return std::wcscoll(Folded(S1).c_str(), Folded(S2).c_str());
}

AnsiString LowerCase(const AnsiString& S) {
    AnsiString r = S;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return r;
}
