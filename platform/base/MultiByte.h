#pragma once

#include "platform/base/Types.h"

#include <cstddef>

// Multi-byte text rules over UTF-8: a lead byte starts a multi-byte character, a trail byte
// continues one. A character is never cut: split points move to the end of the character.

enum TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };

bool IsLeadByte(unsigned char b);
bool IsTrailByte(unsigned char b);

// The kind of the byte at Index, counted from 1 as the platform's strings are.
TMbcsByteType ByteType(const AnsiString& S, std::size_t Index);

// The number of characters: the bytes that are not trail bytes.
std::size_t CharCount(const AnsiString& S);
std::size_t CharCount(const char* S, std::size_t Length);

// The byte offset (from 0) of the character after the one that starts at Offset.
std::size_t NextCharOffset(const char* S, std::size_t Length, std::size_t Offset);

// Moves a split offset (from 0) that falls inside a character to that character's end.
std::size_t CharEndOffset(const char* S, std::size_t Length, std::size_t Offset);

// The code point of the character at Offset (a malformed sequence gives its first byte).
char32_t DecodeChar(const char* S, std::size_t Length, std::size_t Offset);
AnsiString EncodeChar(char32_t Code);

// True when Caption's accelerator character (the character after an "&" that is not part of
// "&&"; the last such when there are several) equals the character Key, ignoring the case of
// ASCII letters.
bool IsAccel(char32_t Key, const AnsiString& Caption);

// Compares under the user's locale, ignoring letter case: < 0, 0 or > 0.
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2);
// ASCII letters to lower case; other bytes unchanged.
AnsiString LowerCase(const AnsiString& S);
