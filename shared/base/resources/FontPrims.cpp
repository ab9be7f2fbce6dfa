// Bitmap primitives of the font manager: a rectangle fill and three line
// drawers on 16-bit bitmaps {u16 width, u16 height, pixels}.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "ErrorMessage.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "resources/PixelFormat.h"
#include "strings/AssertFail.h"

namespace {

constexpr const char* kSource = "shared/base/font";
constexpr const char* kDrawRect =
    "static BOOL FontManager::DrawRect(int, int, int, int, M_WORD, M_WORD *)";

// Calls put(pixel) for every point of the line that lies in the bitmap.  The
// longer axis steps by one; the other coordinate is carried in 16.16 fixed
// point and its integer part, fraction dropped, names the pixel.
template <class Put>
void WalkLine(int x1, int y1, int x2, int y2, M_WORD* bitmap, Put put) {
    if (!bitmap) return;
    const long w = bitmap[0], h = bitmap[1];
    M_WORD* pixels = bitmap + 2;
    auto plot = [&](long x, long y) {
        if (x >= 0 && x < w && y >= 0 && y < h) put(pixels[y * w + x], y * w + x);
    };
    if (x1 == x2) {
        for (long y = std::min(y1, y2); y <= std::max(y1, y2); ++y) plot(x1, y);
        return;
    }
    if (y1 == y2) {
        for (long x = std::min(x1, x2); x <= std::max(x1, x2); ++x) plot(x, y1);
        return;
    }
    const std::int64_t dx = static_cast<std::int64_t>(x2) - x1;
    const std::int64_t dy = static_cast<std::int64_t>(y2) - y1;
    if (std::llabs(dx) >= std::llabs(dy)) {
        const std::int64_t step = dx > 0 ? 1 : -1, slope = dy * 65536 / std::llabs(dx);
        std::int64_t fy = static_cast<std::int64_t>(y1) * 65536;
        for (std::int64_t x = x1;; x += step, fy += slope) {
            plot(static_cast<long>(x), static_cast<long>(fy >> 16));
            if (x == x2) break;
        }
    } else {
        const std::int64_t step = dy > 0 ? 1 : -1, slope = dx * 65536 / std::llabs(dy);
        std::int64_t fx = static_cast<std::int64_t>(x1) * 65536;
        for (std::int64_t y = y1;; y += step, fx += slope) {
            plot(static_cast<long>(fx >> 16), static_cast<long>(y));
            if (y == y2) break;
        }
    }
}

}  // namespace

BOOL FontManager::DrawRect(int x1, int y1, int x2, int y2, M_WORD colour, M_WORD* bitmap) {
    if (x1 % 2 != 0) AssertFail("x1%2==0", kSource, __LINE__, kDrawRect);
    if (x2 % 2 != 1) AssertFail("x2%2==1", kSource, __LINE__, kDrawRect);
    if (!bitmap) return TRUE;
    const int w = bitmap[0], h = bitmap[1];
    M_WORD* pixels = bitmap + 2;
    // Clipped to the bitmap; pixel stores, so an odd width cannot shift rows.
    for (long y = std::max(y1, 0); y <= std::min(y2, h - 1); ++y)
        std::fill(pixels + y * w + std::max(x1, 0), pixels + y * w + std::min(x2, w - 1) + 1,
                  colour);
    return TRUE;
}

void FontManager::DrawLine(int x1, int y1, int x2, int y2, M_WORD colour, M_WORD* bitmap) {
    WalkLine(x1, y1, x2, y2, bitmap, [colour](M_WORD& p, long) { p = colour; });
}

void FontManager::DrawBlendLine(int x1, int y1, int x2, int y2, M_WORD* bitmap) {
    const M_WORD half = PixelHalfMask;
    WalkLine(x1, y1, x2, y2, bitmap, [half](M_WORD& p, long) {
        p = static_cast<M_WORD>(PixelHalfWhite + ((p & half) >> 1));
    });
}

void FontManager::DrawLineFromBuffer(int x1, int y1, int x2, int y2, M_WORD* bitmap,
                                     const M_WORD* source) {
    if (!source || !bitmap) return;
    // The source must be a bitmap of the same size for "the same position".
    if (source[0] != bitmap[0] || source[1] != bitmap[1]) return;
    WalkLine(x1, y1, x2, y2, bitmap, [source](M_WORD& p, long index) { p = source[2 + index]; });
}

void FontManager::CopyGumpObsolete() {
    ErrorMessage("This is no longer a function that should be used.  Use CopyGumpToBuf instead.",
                 "flop", FALSE);
}

namespace {

// The key colours of glyphs cut from a picture: white, cyan, magenta, grey.
M_WORD g_glyphKeys[4];

void SetGlyphKeyColours() {
    g_glyphKeys[0] = GraphicManager::MakeColor(255, 255, 255);
    g_glyphKeys[1] = GraphicManager::MakeColor(0, 170, 170);
    g_glyphKeys[2] = GraphicManager::MakeColor(170, 0, 170);
    g_glyphKeys[3] = GraphicManager::MakeColor(155, 155, 155);
}

[[maybe_unused]] const bool g_keysSet = (SetGlyphKeyColours(), true);

}  // namespace

void FontManager::SetGlyphFromBuffer(CFont* cfont, int c, int x, int y, int w, int h,
                                     const M_WORD* pixels, int pitch) {
    // No larger than a glyph of the font file (sizes are bytes there): the
    // drawers hold one glyph row in a buffer of that size.
    if (!cfont || !pixels || c < 32 || c > 255 || w < 0 || h < 0 || w > 255 || h > 255) return;
    const M_WORD white = g_glyphKeys[0], magenta = g_glyphKeys[2];
    const M_WORD nearBlack = GraphicManager::MakeColor(8, 8, 8);
    M_WORD* glyph = new M_WORD[2 + size_t(w) * h];
    glyph[0] = static_cast<M_WORD>(w);
    glyph[1] = static_cast<M_WORD>(h);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            M_WORD p = pixels[static_cast<long>(y + row) * pitch + x + col];
            // The keys are the holes; black must stay visible, so it is
            // lifted off 0.
            if (p == magenta || p == white)
                p = 0;
            else if (p == 0 && white != 0)
                p = nearBlack;
            glyph[2 + size_t(row) * w + col] = p;
        }
    delete[] cfont->glyphs[c - 32];
    cfont->glyphs[c - 32] = glyph;
}
