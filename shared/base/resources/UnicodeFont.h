// The three 1-bit Unicode fonts ("unifont.mul", "unifont1.mul",
// "unifont2.mul"), memory-mapped on the first glyph query and kept until exit,
// with a current font and a style word that chooses the font and adds
// underline, thickening and slant; measuring, word wrapping with the line
// breaking rules of Chinese, Japanese and Korean text, and single-colour
// drawing into 16-bit pixel buffers.  Texts are zero-terminated M_WORD
// strings.
//
// Font file (little-endian):
//   0              u32 offsets[65536]: byte offset of each character's glyph
//                  from the start of the file, 0 = no glyph
//   glyph offset   i8 x offset, i8 y offset, i8 width, i8 height
//   + 4            height rows of (width + 7) / 8 bytes, top row first, bit 7
//                  the leftmost pixel, 1 = ink
// The table and every glyph are checked against the file's size: a
// character whose offset entry lies past the file's end, or whose glyph does
// not lie wholly inside the file or has a negative size, has no glyph.
//
// Every line is 18 pixels high with baseline 0; the underline lies on row
// y + 14 of a line drawn at y.  The wrapping routines hold one line of at
// most 191 characters; a longer line is broken there.
//
// The font store, style, space width and draw option are process-wide and
// unguarded: main thread only.  Callers set a style, draw, and restore it
// (one level of saving).
#pragma once

#include "TWTypes.h"
#include "resources/BlitTarget.h"

constexpr int UNICODE_LINE_HEIGHT = 18;
constexpr int UNICODE_UNDERLINE_ROW = 14;
constexpr int UNICODE_LINE_BUFFER = 192;

// Font store and style.
void LoadUnicodeFont();
BOOL UnicodeFontsLoaded();
void UnicodeSetCurrentFont(int n);
int UnicodeGetCurrentFont();
void UnicodeSetStyle(M_DWORD style);
void UnicodeRestoreStyle();
M_DWORD UnicodeGetStyle();
BOOL UnicodeStyleHasMaskA();  // underline: any of 0x10120
BOOL UnicodeStyleHasMaskB();  // thick: any of 0xB90
BOOL UnicodeStyleHasMaskC();  // slant: any of 0x1048
BOOL UnicodeStyleHasBit15();
BOOL UnicodeStyleHasBit14();
void UnicodeSetSpaceWidth(int w);
int UnicodeGetSpaceWidth();
void UnicodeSetDrawOption(M_BYTE option);
M_BYTE UnicodeGetDrawOption();

// Glyph queries in the current font.
BOOL UnicodeGetGlyphInfo(M_WORD c);
// The glyph's offsets and size and the address of its rows; a space gives
// w = the space width, the rest 0 and null; a character without glyph gives
// all 0 and null.
const M_BYTE* UnicodeGetGlyphBits(M_WORD c, int* x, int* y, int* w, int* h);
int UnicodeGetCharWidth(M_WORD c);

// Measuring.
int UnicodeGetStringWidth(const M_WORD* text);
int UnicodeGetStringWidthN(int n, const M_WORD* text);
int UnicodeGetWordWidth(const M_WORD* text);
int UnicodeCountCharsInWidth(const M_WORD* text, int width);
void UnicodeCalcInfoLine(const M_WORD* text, int* width, int* height, int* baseline);
// Index of the last character of the first line, or -2 when the text fits
// or is empty (-1: the line before a leading newline is empty).
int UnicodeFindLineBreak(const M_WORD* text, int width);
BOOL UnicodeCanBreakBetween(M_WORD previous, M_WORD current);
void UnicodeCalcInfo(const M_WORD* text, int wrapWidth, int* width, int* height, int* baseline);
void UnicodeGetStringWrapEndXY(int n, const M_WORD* text, int wrapWidth, int* x, int* y);
int UnicodeFitStringToRect(const M_WORD* text, int wrapWidth, int maxWidth, int maxHeight);

// Drawing in one colour (selected characters, by index among the characters
// drawn with a glyph, in selectedColour), clipped to the target's clip.
void UnicodeDrawString(const BlitTarget& target, const M_WORD* text, int x, int y, int colour);
void UnicodeDrawStringSelected(const BlitTarget& target, const M_WORD* text, int x, int y,
                               int colour, int selectedColour, int first, int last);
void UnicodeDrawStringBuf(const BlitTarget& target, int wrapWidth, const M_WORD* text, int x, int y,
                          int colour, BOOL centre);
void UnicodeDrawStringBufSelected(const BlitTarget& target, int wrapWidth, const M_WORD* text,
                                  int x, int y, int colour, int selectedColour, int first,
                                  int last);

// Text routines.
int ParseUnicodeNumber(const M_WORD* text);
int ParseHTMLColor(const M_WORD* text);
int LookupHTMLColorName(const M_WORD* text);
M_WORD UnicodeMapChar(M_WORD c);
// The case fold of case-blind comparisons: a few capitals of Latin
// Extended-A to their small letters, then A-Z and 0xC0-0xDD raised by 32.
M_WORD UnicodeFold(M_WORD c);

// Test support: unmaps the fonts and restores every start value.
void ResetUnicodeFontsForTests();
