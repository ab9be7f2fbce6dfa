// Gump art: the run-length pictures of windows, buttons, frames and
// paperdoll images ("gumpart.mul", found through "gumpidx.mul"), drawn into
// 16-bit pixel buffers through any span handler, clipped; plus the plain
// pixel-block copies through span handlers that the windows use.
//
// An item (little-endian); the index record's extra word is
// width << 16 | height:
//   row table   u32 per row: the offset of the row's runs, in 32-bit words
//               from the start of the item
//   runs        u32 each: colour in the low 16 bits, count in the high 16;
//               a row's runs follow each other until their counts reach the
//               width
// A colour of 0 is transparent for the handlers that skip 0.
//
// Items come from a data file: every run is read through ByteReader, bounded
// by the item's size and clamped to the width, a run of count 0 ends its row
// (the rest of the row is transparent), and rows wider than the usual row
// buffer are decoded into a heap buffer.  Every drawer clips to the target's
// clip rectangle, which lies inside its buffer.  With Display565 set, the
// pixels drawn from gump art are converted to 5-6-5 after each row.  Main
// thread only; nothing is kept between calls.
#pragma once

#include "TWTypes.h"
#include "resources/BlitTarget.h"
#include "resources/SpanHandlers.h"

// One gump-art item: its bytes and its size from the index record.
struct GumpArtItem {
    const M_BYTE* data = nullptr;
    int size = 0;
    int width = 0;
    int height = 0;

    explicit operator bool() const { return data != nullptr; }
};

// The item through the data-file cache; a null item when absent.
GumpArtItem GetGumpArtItem(int id);

// Width and height of the item (both 0 when absent); returns the height.
int GetGumpArtSize(int id, int* width, int* height);

// Draws the item with its top-left corner at (x, y) of the target, clipped
// to the target's clip.  DrawGumpPixels is the same drawer under the name
// its callers with a clip rectangle use: the clip now travels in the target.
void DrawGumpArt(SpanHandler handler, int id, int x, int y, const BlitTarget& target);
void DrawGumpPixels(SpanHandler handler, int id, int x, int y, const BlitTarget& target);
// DrawGumpArt of an item already fetched.
void DrawGumpArtItem(SpanHandler handler, const GumpArtItem& item, int x, int y,
                     const BlitTarget& target);

// The colour of pixel (x, y) of the item (5-6-5 when Display565 is set); 0
// for an absent item, a point outside it, or a transparent pixel.
M_WORD GumpArtHitTest(int id, int x, int y);
M_WORD GumpArtItemPixel(const GumpArtItem& item, int x, int y);

// Copies a sourceWidth x sourceHeight block (rows sourceWidth pixels apart)
// to (x, y) of the target row by row through handler, clipped to the
// target's clip.  BlitRowsWithHandler is the same copy under its other name.
void BlitClipped(SpanHandler handler, const M_WORD* source, int sourceWidth, int sourceHeight,
                 int x, int y, const BlitTarget& target);
void BlitRowsWithHandler(SpanHandler handler, const M_WORD* source, int sourceWidth,
                         int sourceHeight, int x, int y, const BlitTarget& target);

// Copies count pixels of hued art: 0 leaves the destination alone, a grey
// pixel takes the colour of its brightness from the hue, any other pixel is
// copied.  A number that names no hue copies the art unhued.
void CopyPixelRowHued(unsigned short* dst, const unsigned short* src, unsigned int count, int hue);
