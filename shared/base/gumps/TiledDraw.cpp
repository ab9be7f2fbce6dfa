#include "gumps/TiledDraw.h"

#include <algorithm>
#include <cstdlib>

#include "gumps/Gump.h"
#include "resources/GumpArt.h"
#include "resources/PixelFormat.h"
#include "resources/SpanHandlers.h"

namespace {

TiledRandom g_random = [] { return std::rand(); };

// Ornament places are drawn again while the second lies too near the first;
// after this many tries the second is left out.
constexpr int kOrnamentTries = 64;

struct Size {
    int w = 0;
    int h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
};

Size artSize(int art) {
    Size s;
    GetGumpArtSize(art, &s.w, &s.h);
    return s;
}

// Where the pieces go: the bitmap, clipped to the area being painted.
struct Target {
    BlitTarget target;

    void draw(int art, int x, int y, SpanHandler handler = CopySpanTransparent) const {
        DrawGumpPixels(handler, art, x, y, target);
    }
    void drawClipped(int art, int x, int y, const RECT& inner) const {
        DrawGumpPixels(CopySpanTransparent, art, x, y, target.Clipped(inner));
    }
};

bool blockOf(M_WORD* bitmap, int* width, int* height) {
    if (!bitmap) return false;
    *width = bitmap[0];
    *height = bitmap[1];
    return *width > 0 && *height > 0;
}

// Two ornaments along an edge of the given length: offsets along it.
// Returns how many may be drawn (0, 1 or 2).
int placeOrnaments(int edge, int lengthA, int lengthB, int* a, int* b) {
    if (lengthA <= 0 || lengthB <= 0 || edge <= lengthA + lengthB + 80) return 0;
    *a = 10 + g_random() % (edge - lengthA - 20);
    for (int tries = 0; tries < kOrnamentTries; ++tries) {
        *b = 10 + g_random() % (edge - lengthB - 20);
        if (std::abs(*b - *a) >= lengthA + 10) return 2;
    }
    return 1;
}

void drawFrame(const Target& t, int x0, int y0, int W, int H, int art, BOOL noOrnaments) {
    Size p[9];
    for (int i = 0; i < 9; ++i) p[i] = artSize(art + i);
    const int right = x0 + W, bottom = y0 + H;

    // Top row; a frame without a top edge shows only its top-left corner.
    t.draw(art + 0, x0, y0);
    if (p[1].w <= 0) return;
    const RECT topBand{x0, y0, right - p[2].w, bottom};
    for (int x = x0 + p[0].w; x < right - p[2].w; x += p[1].w)
        t.drawClipped(art + 1, x, y0, topBand);
    t.draw(art + 2, right - p[2].w, y0);

    // Left and right columns.
    if (p[3].h > 0) {
        const RECT band{x0, y0, right, bottom - p[6].h};
        for (int y = y0 + p[0].h; y < bottom - p[6].h; y += p[3].h)
            t.drawClipped(art + 3, x0, y, band);
    }
    t.draw(art + 6, x0, bottom - p[6].h);
    if (p[5].h > 0) {
        const RECT band{x0, y0, right, bottom - p[8].h};
        for (int y = y0 + p[2].h; y < bottom - p[8].h; y += p[5].h)
            t.drawClipped(art + 5, right - p[5].w, y, band);
    }
    t.draw(art + 8, right - p[8].w, bottom - p[8].h);

    // Bottom row.
    if (p[7].w > 0) {
        const RECT band{x0, y0, right - p[8].w, bottom};
        for (int x = x0 + p[6].w; x < right - p[8].w; x += p[7].w)
            t.drawClipped(art + 7, x, bottom - p[7].h, band);
    }

    // Centre.
    const RECT inside{x0 + p[3].w, y0 + p[1].h, right - p[5].w, bottom - p[7].h};
    if (!p[4].empty())
        for (int y = inside.top; y < inside.bottom; y += p[4].h)
            for (int x = inside.left; x < inside.right; x += p[4].w)
                t.drawClipped(art + 4, x, y, inside);

    if (noOrnaments) return;
    // Each pair along its edge, copied opaque.
    struct Pair {
        int first;
        bool horizontal;  // along the top or bottom edge
        bool far;         // the bottom or right edge
    } pairs[] = {{11, true, false}, {17, true, true}, {13, false, false}, {15, false, true}};
    for (const Pair& pair : pairs) {
        const Size a = artSize(art + pair.first), b = artSize(art + pair.first + 1);
        if (a.empty() || b.empty()) continue;
        int offA = 0, offB = 0;
        const int n = pair.horizontal ? placeOrnaments(W, a.w, b.w, &offA, &offB)
                                      : placeOrnaments(H, a.h, b.h, &offA, &offB);
        for (int k = 0; k < n; ++k) {
            const Size s = k == 0 ? a : b;
            const int off = k == 0 ? offA : offB;
            const int px = pair.horizontal ? x0 + off : (pair.far ? right - s.w : x0);
            const int py = pair.horizontal ? (pair.far ? bottom - s.h : y0) : y0 + off;
            t.draw(art + pair.first + k, px, py, CopySpan);
        }
    }
}

}  // namespace

void SetTiledFrameRandom(TiledRandom source) {
    g_random = source ? source : [] { return std::rand(); };
}

void DrawTiledFrameAt(int x, int y, int width, int height, int art, M_WORD* bitmap,
                      BOOL noOrnaments) {
    int bw = 0, bh = 0;
    if (!blockOf(bitmap, &bw, &bh) || width <= 0 || height <= 0) return;
    const Target t{
        BlitTarget(bitmap + 2, FramePitch(bw), bw, bh).Clipped(RECT{x, y, x + width, y + height})};
    drawFrame(t, x, y, width, height, art, noOrnaments);
}

void DrawTiledFrame(int art, M_WORD* bitmap, BOOL noOrnaments) {
    int bw = 0, bh = 0;
    if (!blockOf(bitmap, &bw, &bh)) return;
    DrawTiledFrameAt(0, 0, bw, bh, art, bitmap, noOrnaments);
}

void DrawTiledBar(int art, M_WORD* bitmap) {
    int bw = 0, bh = 0;
    if (!blockOf(bitmap, &bw, &bh)) return;
    const Size left = artSize(art), middle = artSize(art + 1), right = artSize(art + 2);
    if (left.w <= 0 || middle.w <= 0 || right.w <= 0) return;
    const Target t{BlitTarget(bitmap + 2, FramePitch(bw), bw, bh)};
    t.draw(art, 0, 0);
    const RECT band{0, 0, bw - right.w, bh};
    for (int x = left.w; x < bw - right.w; x += middle.w) t.drawClipped(art + 1, x, 0, band);
    t.draw(art + 2, bw - right.w, 0);
}

void DrawTiledArtPixels(int art, M_WORD* pixels, int width, int height, int pitch) {
    if (pitch == 0) pitch = width;
    const Size s = artSize(art);
    if (!pixels || width <= 0 || height <= 0 || pitch < width || s.empty()) return;
    const Target t{BlitTarget(pixels, pitch, width, height)};
    for (int y = 0; y < height; y += s.h)
        for (int x = 0; x < width; x += s.w) t.draw(art, x, y);
}

void DrawTiledArt(int art, M_WORD* bitmap) {
    int bw = 0, bh = 0;
    if (!blockOf(bitmap, &bw, &bh)) return;
    DrawTiledArtPixels(art, bitmap + 2, bw, bh, FramePitch(bw));
}

void DrawTiledRow(int x, int y, int width, int art, M_WORD* bitmap) {
    int bw = 0, bh = 0;
    if (!blockOf(bitmap, &bw, &bh) || width < 0) return;
    M_WORD* pixels = bitmap + 2;
    const int pitch = FramePitch(bw);
    const Size left = artSize(art), right = artSize(art + 1);
    const int middle = width - (left.w + right.w);
    // Half the brightness plus half of white, in the current pixel format.
    const M_WORD half = PixelHalfMask;
    const M_WORD tint = static_cast<M_WORD>((0xFFFFu & half) >> 1);
    auto blend = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= bw || py >= bh) return;
        M_WORD& p = pixels[static_cast<size_t>(py) * pitch + px];
        p = static_cast<M_WORD>(tint + ((p & half) >> 1));
    };
    for (int j = 0; j < left.h; ++j)
        for (int i = 0; i < left.w; ++i)
            if (GumpArtHitTest(art, i, j)) blend(x + i, y + j);
    for (int j = 0; j < left.h; ++j)
        for (int i = 0; i < middle; ++i) blend(x + left.w + i, y + j);
    const int rightX = x + left.w + middle - 1;
    for (int j = 0; j < right.h; ++j)
        for (int i = 0; i < right.w; ++i)
            if (GumpArtHitTest(art + 1, i, j)) blend(rightX + i, y + j);
}
