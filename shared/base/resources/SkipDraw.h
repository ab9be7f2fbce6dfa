// The run-length drawers of static art, and the fetch of static-art items.
//
// A static-art item of "art.mul" (little-endian):
//   0        u32  header word, not read here
//   4        u16  width in pixels
//   6        u16  height in rows
//   8        u16  row offsets, one per row, in 16-bit words from the end of
//                 this table
//   8 + 2h   rows: runs of {u16 skip, u16 count, count pixels}; skip counts
//                 the transparent pixels since the end of the previous run
//                 (or column 0); a run of count 0 ends the row.
//
// The item comes from a data file, so nothing in it is trusted: it is read
// through ByteReader, every run is bounded by the item's size and clamped to
// the image width, and the drawers clip to the target's clip rectangle.  The
// clipped drawer leaves out the image's last row (its row bound is h - 1
// while its column bound is w); callers have always drawn that way.
// Main thread only (the span handlers' state is process-wide).
#pragma once

#include "TWTypes.h"
#include "resources/BlitTarget.h"
#include "resources/SpanHandlers.h"

// An item of "art.mul" as the data-file cache returns it: its bytes and how
// many there are.  A null item draws nothing.
struct SkipImage {
    const M_BYTE* data = nullptr;
    int size = 0;

    explicit operator bool() const { return data != nullptr; }
    // The header fields; 0 for a null or short item.
    int Width() const;
    int Height() const;
};

class SkipDrawHandler {
public:
    static void startup();
    static void shutdown();
    // Test support: hue 0, blend table 0, channel-scale table cleared.
    static void reset();
};

// Draws image with its top-left corner at (x, y) of the target, clipped to
// the target's clip.  Rows 0 to h - 2 at most.
void SkipDrawClipped(SpanHandler handler, const SkipImage& image, const BlitTarget& target, int x,
                     int y);
// The same, all h rows.
void SkipDrawNoClip(SpanHandler handler, const SkipImage& image, const BlitTarget& target, int x,
                    int y);

// Static-art item `id` of "art.mul" through the data-file cache; a null
// image when absent.  Item art is asked for as its number + 0x4000.
SkipImage GetArtData(int id);

// The pixel at column x of row `row`, or 0 when it is transparent, lies
// outside the image or past the row's runs, or the image is null.  Used for
// pixel-exact mouse hit tests.
M_WORD GetArtPixel(const SkipImage& image, int x, int row);
