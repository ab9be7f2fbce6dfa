// Picture formats: land tiles, static art, gump art and textures.
#pragma once

#include <cstdint>
#include <vector>

#include "support/datafiles/DataFile.h"

namespace tw::datafiles {

// A picture of 16-bit 5-5-5 pixels, row by row.  In the run-length formats a
// pixel of 0 is a hole (transparent); elsewhere it is stored as it is.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<M_WORD> pixels;

    Image() = default;
    Image(int w, int h, M_WORD fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    M_WORD at(int x, int y) const { return pixels[size_t(y) * width + x]; }
    void set(int x, int y, M_WORD p) { pixels[size_t(y) * width + x] = p; }
    // Fills the rectangle (clipped to the picture).
    void fillRect(int x, int y, int w, int h, M_WORD p);
};

// A 5-5-5 pixel from 8-bit components.
constexpr M_WORD Rgb555(unsigned r, unsigned g, unsigned b) {
    return static_cast<M_WORD>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
}

// Land tile ("art.mul" items 0-16383): the 44 x 44 diamond as its rows in
// order, no header, 1012 pixels:
//   rows 0-21:  2, 4, ... 44 pixels, starting at column 21, 20, ... 0
//   rows 22-43: 44, 42, ... 2 pixels, starting at column 0, 1, ... 21
// The item is padded with zeros to the 2048 bytes that an art update writes.
constexpr int kLandTileSide = 44;
constexpr int kLandTilePixels = 1012;
constexpr int kLandTileItemBytes = 2048;
// Column of the first pixel and pixel count of diamond row `row`.
void LandTileRow(int row, int* firstColumn, int* count);
// Takes the diamond's pixels from a 44 x 44 picture.
Bytes EncodeLandTile(const Image& image44);
Bytes LandTileSolid(M_WORD colour);

// Static art ("art.mul" items 16384 and up), run-length coded:
//   0   u32 byte count of the row data (header word; the art update takes its
//       item length as this + 2 x height + 8)
//   4   u16 width
//   6   u16 height
//   8   u16 row offsets, one per row, in 16-bit words from the end of this table
//   ..  rows: runs {u16 skip, u16 count, count pixels}; skip counts the holes
//       since the end of the previous run (or column 0); a run of count 0
//       ends the row.
// Holes are the pixels equal to 0.
Bytes EncodeStaticArt(const Image& image);

// Gump art ("gumpart.mul", found through "gumpidx.mul"):
//   row table: u32 per row, the offset of the row's runs in 32-bit words
//              from the start of the item
//   runs:      u32 each, colour in the low 16 bits, count in the high 16;
//              a row's counts add up to the width.
// The index record's extra word is width << 16 | height.
struct GumpArt {
    Bytes data;
    std::int32_t extra = 0;
};
GumpArt EncodeGumpArt(const Image& image);
// Adds the gump art to a "gumpidx.mul"/"gumpart.mul" pair.
void AddGumpArt(IndexedPair& pair, int id, const Image& image);

// The nine pieces of the tool-tip frame, gump art 3000-3008, at the sizes
// the client requires: corners 4 x 4, top and bottom edges 245 x 4, left and
// right edges 4 x 244, centre 240 x 240.  A dark edge line outside, a lighter
// one inside, a dark centre.  widthChange is added to the width of piece
// `changed` (0-8), to make art of a wrong size.
struct ToolTipFramePiece {
    int id;
    Image image;
};
std::vector<ToolTipFramePiece> ToolTipFrameArt(int changed = -1, int widthChange = 0);

// Texture ("texmaps.mul", found through "texidx.mul"): texels row by row,
// 64 x 64 (extra word 0) or 128 x 128 (extra word 1).
Bytes EncodeTexture(const Image& square);
std::int32_t TextureExtra(const Image& square);

}  // namespace tw::datafiles
