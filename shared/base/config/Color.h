// Small text helpers shared by the configuration reader, the credits, the
// spellbook and the macros.
#pragma once

// A colour setting as a 15-bit 5-5-5 pixel: "#rrggbb" (hex digits of either
// case; anything else, or a missing digit, counts as 0) or a decimal number
// whose bytes are red (bits 16-23), green (8-15) and blue (0-7).  A text that
// begins with '-' is returned as its (negative) decimal value.
int ParseColor(const char* text);

// The text before its first '(' less the last of those characters (the blank
// before the parenthesis of a spell name), in a static buffer that the next
// call overwrites.  A text without '(' is returned whole; null or empty gives
// an empty text.
char* StripParenthesis(const char* text);
