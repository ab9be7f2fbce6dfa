// The frame blitters: the shadow and the frame with its hue modes, into
// the draw target.
#include <algorithm>

#include "resources/SpanHandlers.h"
#include "view/AnimFrames.h"
#include "view/Light.h"
#include "view/WorldView.h"

namespace {

// The world is drawn in 5-5-5: the shift that gives a colour's red level.
constexpr int kColourShift = 10;

// The pixel of the frame blitter's hue mode, or -1 to write the
// destination darkened instead.
struct HueMode {
    int hue;
    const M_WORD* row = nullptr;  // hue row when hued

    explicit HueMode(int h) : hue(h) {
        const int number = hue & 0x3FFF;
        // Only hue numbers that name a row are hued; others draw unhued.
        if (number != 0) row = HueColours(number - 1);
    }

    M_WORD Pixel(M_WORD c, M_WORD destination) const {
        const bool grey = (c >> 5) == (c & 0x3FF);
        switch (hue & 0xC000) {
            case 0:
                if (!row) return c;
                return row[(c >> kColourShift) & 31];
            case 0x8000:
                return grey && row ? row[(c >> 10) & 31] : c;
            case 0x4000:
                return Darken(c, destination);
            default:
                return grey ? Darken(c, destination) : c;
        }
    }

    static M_WORD Darken(M_WORD c, M_WORD p) {
        const int level = std::max(0, 23 - ((c >> 10) & 31));
        const M_BYTE* s = ChannelScaleTable[level];
        return static_cast<M_WORD>(s[(p >> 10) & 31] << 10 | s[(p >> 5) & 31] << 5 | s[p & 31]);
    }
};

// The clip, kept inside the draw target.
RECT InsideTarget(const RECT& clip, const WorldTarget& t) {
    return RECT{std::max<int>(clip.left, 0), std::max<int>(clip.top, 0),
                std::min<int>(clip.right, t.width), std::min<int>(clip.bottom, t.height)};
}

}  // namespace

void BlitAnimFrameShadow(BOOL mirrored, int anchorX, int anchorY, const RECT& area,
                         const AnimFrame& frame) {
    const WorldTarget& t = thelightthingie::target;
    if (!t.origin) return;
    const RECT clip = InsideTarget(area, t);
    const int sx = anchorX - g_viewOffsetX, sy = anchorY - g_viewOffsetY;
    ForEachRun(frame, [&](const FrameRun& run) {
        if (run.dy & 1) return true;
        const int half = run.dy >> 1;  // arithmetic: rounds toward minus infinity
        const int row = sy + half;
        if (row >= clip.bottom) return false;
        if (row < clip.top) return true;
        const int start = mirrored ? sx - run.dx - run.length - half : sx + run.dx - half;
        const int from = std::max(start, static_cast<int>(clip.left));
        const int to = std::min(start + run.length, static_cast<int>(clip.right));
        M_WORD* line = t.origin + static_cast<long>(row) * t.pitch;
        for (int x = from; x < to; ++x) line[x] = static_cast<M_WORD>((line[x] & 0x7BDE) >> 1);
        return true;
    });
}

void BlitAnimFrame(BOOL mirrored, int hue, int anchorX, int anchorY, const RECT& area,
                   const AnimFrame& frame) {
    const WorldTarget& t = thelightthingie::target;
    if (!t.origin) return;
    const RECT clip = InsideTarget(area, t);
    const int sx = anchorX - g_viewOffsetX, sy = anchorY - g_viewOffsetY;
    const HueMode mode(hue);
    ForEachRun(frame, [&](const FrameRun& run) {
        const int row = sy + run.dy;
        if (row >= clip.bottom) return false;
        if (row < clip.top) return true;
        const int start = mirrored ? sx - run.dx - run.length : sx + run.dx;
        M_WORD* line = t.origin + static_cast<long>(row) * t.pitch;
        const int from = std::max(start, static_cast<int>(clip.left));
        const int to = std::min(start + run.length, static_cast<int>(clip.right));
        for (int x = from; x < to; ++x) {
            // Mirrored runs are read from their last index to their first.
            const int i = mirrored ? run.length - 1 - (x - start) : x - start;
            line[x] = mode.Pixel(frame.ColourAt(run.pixels[i]), line[x]);
        }
        return true;
    });
}
