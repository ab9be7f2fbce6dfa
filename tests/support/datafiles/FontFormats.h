// Font files: the bitmap fonts of "fonts.mul" and the 1-bit Unicode fonts
// of "unifont.mul", "unifont1.mul" and "unifont2.mul".
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "support/datafiles/DataFile.h"

namespace tw::datafiles {

// ---- bitmap fonts -----------------------------------------------------------
// A glyph record: u8 width, u8 height, u8 header byte (the descent: rows
// below the baseline row), then width x height u16 pixels row by row
// (0 = transparent).  A font is 224 such records, characters 32..255.
//
// "fonts.mul": 25 fonts in order, each a u8 header (0 = absent, nothing
// follows; else 224 glyph records follow).
struct Glyph {
    int width = 0;
    int height = 0;
    int descent = 0;
    std::vector<M_WORD> pixels;
};
constexpr int kGlyphCount = 224;
constexpr int kFontCount = 25;
struct BitmapFont {
    std::array<Glyph, kGlyphCount> glyphs;  // index = character - 32
    Glyph& operator[](int character) { return glyphs.at(character - 32); }
};

// The 224 glyph records of one font; also the payload of a font patch in
// "verdata.mul".
Bytes EncodeFontGlyphs(const BitmapFont& font);
Bytes EncodeFonts(const std::vector<std::optional<BitmapFont>>& fonts);

// A readable font for characters 32..126 from a built-in 5 x 7 pixel design,
// each pixel `scale` pixels square, glyphs one column wider than their ink;
// 127..255 have no glyph (width 0).  Grey colours take hues.
BitmapFont TextFont(M_WORD colour, int scale = 1);

// ---- Unicode fonts ------------------------------------------------------------
//   0       u32 offsets[65536], the byte offset of each character's glyph from
//           the start of the file, 0 = no glyph
//   glyph   i8 x offset, i8 y offset, i8 width, i8 height, then height rows of
//           (width + 7) / 8 bytes, top row first, bit 7 the leftmost pixel,
//           1 = ink
struct UniGlyph {
    std::int8_t xOffset = 0;
    std::int8_t yOffset = 0;
    int width = 0;
    int height = 0;
    std::vector<bool> ink;  // width x height
};
Bytes EncodeUnicodeFont(const std::map<M_WORD, UniGlyph>& glyphs);
// Characters 32..126 in the built-in design, placed yOffset rows down.
std::map<M_WORD, UniGlyph> TextUnicodeGlyphs(int scale = 1, int yOffset = 4);

}  // namespace tw::datafiles
