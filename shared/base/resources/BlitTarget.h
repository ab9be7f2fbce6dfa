// BlitTarget: where a blitter draws.  A non-owning view of a buffer of 16-bit
// pixels (its first pixel, its row stride in pixels, its width and height)
// and the clip rectangle inside it that drawing may touch.
//
// The clip is always cut to the buffer, so a blitter that stays inside the
// clip stays inside the buffer.  Every blitter takes one target, clips its
// source rectangle against target.clip once, and then runs an inner loop
// without coordinate tests.  A target is a small value: pass it by const
// reference and narrow it with Clipped() for a child area.
#pragma once

#include <algorithm>

#include "TWTypes.h"

struct BlitTarget {
    M_WORD* pixels = nullptr;
    int pitch = 0;   // pixels from one row to the next
    int width = 0;   // columns that may be written, at most pitch
    int height = 0;  // rows
    RECT clip{0, 0, 0, 0};

    BlitTarget() = default;

    // The whole of a width x height buffer whose rows lie pitch pixels apart.
    // A null buffer, or sizes below 0, make an empty target.
    BlitTarget(M_WORD* buffer, int rowPitch, int columns, int rows) {
        if (!buffer || rowPitch <= 0 || columns <= 0 || rows <= 0) return;
        pixels = buffer;
        pitch = rowPitch;
        width = std::min(columns, rowPitch);
        height = rows;
        clip = RECT{0, 0, width, height};
    }

    // The whole of a buffer whose rows are as wide as its pitch.
    BlitTarget(M_WORD* buffer, int rowPitch, int rows)
        : BlitTarget(buffer, rowPitch, rowPitch, rows) {}

    // The same buffer with the clip narrowed to rect; never widened.
    BlitTarget Clipped(const RECT& rect) const {
        BlitTarget narrowed = *this;
        narrowed.clip = RECT{std::max(clip.left, rect.left), std::max(clip.top, rect.top),
                             std::min(clip.right, rect.right), std::min(clip.bottom, rect.bottom)};
        return narrowed;
    }

    // Nothing can be drawn: no buffer or an empty clip.
    bool Empty() const { return !pixels || clip.left >= clip.right || clip.top >= clip.bottom; }

    // (x, y) lies inside the clip, so a drawer may write it.
    bool Contains(long x, long y) const {
        return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
    }

    // Pixel (x, y) of the buffer; x and y must lie inside it.
    M_WORD* At(long x, long y) const { return pixels + (y * static_cast<long>(pitch) + x); }
};
