// C-style functions over zero-terminated M_WORD strings (UTF-16 code units in
// host byte order).  None allocates except UnicodeStrdup and none checks a
// destination's size: the caller provides room.  Case folding is ASCII only:
// 'A'-'Z' fold to 'a'-'z', every other unit compares unchanged.
//
// A null source reads as an empty string; a null destination is left alone.
#pragma once

#include "TWTypes.h"

int UnicodeStrlen(const M_WORD* s);
void UnicodeStrcpy(M_WORD* dst, const M_WORD* src);
// Copies at most n units and always terminates, so dst needs n + 1 units.
void UnicodeStrncpy(M_WORD* dst, const M_WORD* src, int n);
void UnicodeStrcat(M_WORD* dst, const M_WORD* src);
// A new[] copy; the caller frees it with delete[].  Null gives null.
M_WORD* UnicodeStrdup(const M_WORD* s);

// Each answers -1, 0 or 1; units compare unsigned.
int UnicodeStrcmp(const M_WORD* a, const M_WORD* b);
int UnicodeStricmp(const M_WORD* a, const M_WORD* b);
int UnicodeStrnicmp(const M_WORD* a, const M_WORD* b, int n);
int UnicodeAsciiStricmp(const char* bytes, const M_WORD* s);
int UnicodeStricmpAscii(const M_WORD* s, const char* bytes);

// Bytes widen by zero extension.
void UnicodeStrcpyFromAscii(M_WORD* dst, const char* bytes);
void UnicodeStrcatAscii(M_WORD* dst, const char* bytes);
// Keeps the units below 128 and drops the others.
void UnicodeToAscii(char* dst, const M_WORD* s);
// Keeps the low byte of every unit.
void UnicodeStrcpyLowBytes(char* dst, const M_WORD* s);

bool UnicodeIsAsciiString(const M_WORD* s);
bool UnicodeIsAscii(M_WORD c);
bool UnicodeIsDigit(M_WORD c);
// Only the space (32): tabs and line feeds are not spaces here.
bool UnicodeIsSpace(M_WORD c);
// Nonzero for the ideographic and Hangul blocks, between whose characters
// text may wrap without a space.
int UnicodeCharClass(M_WORD c);

void UnicodeTrimRight(M_WORD* s);
// Skips leading spaces, copies one word into dst folded to lower case, and
// returns the position after the word and its one following space.
const M_WORD* UnicodeNextWordLower(const M_WORD* src, M_WORD* dst);

// Digits 0-9 then a-z; a radix outside 2..36 counts as 10.  Radix 10 needs at
// most 12 units (sign, 10 digits, terminator).
void UnicodeItoa(int value, M_WORD* dst, int radix);
// '-' flips the sign and '+' is passed over wherever they stand before the
// first other unit; no white space is skipped.  Values beyond the range of
// int saturate.
int UnicodeAtoi(const M_WORD* s);
