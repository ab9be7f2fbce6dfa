// The rotation tables and the four rotated blitters of the view.
#include "view/RotatedBlit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/BlitTarget.h"
#include "resources/SpanHandlers.h"
#include "view/Light.h"

int cosTable[256];
int sinTable[256];
M_BYTE greyLevelTable[65536];

void InitRotationTables() {
    // The constant is the one the direction tables have always been built
    // with; the pinned values of the tests depend on it.
    const double pi = 3.14159265359;
    for (int i = 0; i < 256; ++i) {
        cosTable[i] = static_cast<int>(65536.0 * std::cos(i * pi / 128.0));
        sinTable[i] = static_cast<int>(65536.0 * std::sin(i * pi / 128.0));
    }
    for (int p = 0; p < 65536; ++p) {
        const int blue = p & 31, green = (p >> 5) & 31, red = (p >> 11) & 15;
        greyLevelTable[p] = static_cast<M_BYTE>((blue + green + red) / 3);
    }
}

namespace {
const bool tablesBuilt = [] {
    InitRotationTables();
    return true;
}();

// The art as a width x height picture, transparent pixels 0: the runs are
// walked once here instead of once per destination pixel.
std::vector<M_WORD> Decode(const SkipImage& art, int w, int h) {
    std::vector<M_WORD> pixels(static_cast<size_t>(w) * h, 0);
    SkipDrawNoClip(CopySpan, art, BlitTarget(pixels.data(), w, w, h), 0, 0);
    return pixels;
}

// One channel pair through the selected blend table.
inline M_WORD Blend(M_WORD source, M_WORD destination) {
    const M_WORD* table = CurrentBlendTable ? CurrentBlendTable : BlendTables[0];
    const int r = table[((source >> 10) & 31) + 32 * ((destination >> 10) & 31)];
    const int g = table[((source >> 5) & 31) + 32 * ((destination >> 5) & 31)];
    const int b = table[(source & 31) + 32 * (destination & 31)];
    return static_cast<M_WORD>((r & 31) << 10 | (g & 31) << 5 | (b & 31));
}

// The inverse mapping shared by the four blitters; write(dst, p) stores a
// non-transparent source pixel.
template <typename Write>
void BlitRotated(const SkipImage& art, const RECT& source, int x, int y, int direction,
                 const RECT& clip, Write write) {
    const int w = art.Width(), h = art.Height();
    if (!art || w <= 0 || h <= 0) return;
    const BlitTarget target = thelightthingie::target.Clipped(clip);
    if (target.Empty()) return;
    const int left = std::max(x, static_cast<int>(target.clip.left));
    const int right =
        std::min(x + (source.right - source.left), static_cast<int>(target.clip.right));
    const int top = std::max(y, static_cast<int>(target.clip.top));
    const int bottom =
        std::min(y + (source.bottom - source.top), static_cast<int>(target.clip.bottom));
    if (left >= right || top >= bottom) return;

    const std::vector<M_WORD> pixels = Decode(art, w, h);
    const int C = cosTable[direction & 255], S = sinTable[direction & 255];
    const int cx = w >> 1, cy = h >> 1;
    for (int row = top; row < bottom; ++row) {
        const int v = cy - (source.top + (row - y));
        const int u = source.left + (left - x) - cx;
        int fx = u * C - v * S;
        int fy = v * C + u * S;
        M_WORD* dst = target.At(left, row);
        for (int col = left; col < right; ++col, ++dst, fx += C, fy += S) {
            const int sx = cx + (fx >> 16);
            const int sy = cy - (fy >> 16);
            if (sx < 0 || sx >= w || sy < 0 || sy >= h) continue;
            const M_WORD p = pixels[static_cast<size_t>(sy) * w + sx];
            if (p) write(dst, p);
        }
    }
}

// A hue's 32 colours; a number that names no hue leaves the art unhued.
const M_WORD* HueRow(int hue) {
    return HueColours(hue);
}

}  // namespace

int RadiansToDirection256(float angle) {
    return static_cast<int>(128.0 * angle / 3.14152);
}

void GetRotatedBoundRect(int direction, RECT* r) {
    const int cx = r->left + ((r->right - r->left) >> 1);
    const int cy = r->top + ((r->bottom - r->top) >> 1);
    const int C = cosTable[direction & 255], S = sinTable[direction & 255];
    const int xs[4] = {r->left, r->right, r->left, r->right};
    const int ys[4] = {r->top, r->top, r->bottom, r->bottom};
    RECT out{9999, 9999, -9999, -9999};
    for (int i = 0; i < 4; ++i) {
        const int dx = xs[i] - cx, dy = ys[i] - cy;
        const int px = cx + ((dx * C - dy * S) >> 16);
        const int py = cy - ((dx * S + dy * C) >> 16);
        out.left = std::min(out.left, px);
        out.right = std::max(out.right, px);
        out.top = std::min(out.top, py);
        out.bottom = std::max(out.bottom, py);
    }
    *r = out;
}

void BlitRotatedToView(const SkipImage& art, const RECT& source, int x, int y, int direction,
                       const RECT& clip) {
    BlitRotated(art, source, x, y, direction, clip, [](M_WORD* dst, M_WORD p) { *dst = p; });
}

void BlitRotatedHuedToView(const SkipImage& art, const RECT& source, int x, int y, int direction,
                           const RECT& clip, int hue) {
    const M_WORD* colours = HueRow(hue);
    if (!colours) return BlitRotatedToView(art, source, x, y, direction, clip);
    BlitRotated(art, source, x, y, direction, clip,
                [colours](M_WORD* dst, M_WORD p) { *dst = colours[greyLevelTable[p]]; });
}

void BlitRotatedEffectToView(const SkipImage& art, const RECT& source, int x, int y, int direction,
                             const RECT& clip) {
    BlitRotated(art, source, x, y, direction, clip,
                [](M_WORD* dst, M_WORD p) { *dst = Blend(p, *dst); });
}

void BlitRotatedHuedEffectToView(const SkipImage& art, const RECT& source, int x, int y,
                                 int direction, const RECT& clip, int hue) {
    const M_WORD* colours = HueRow(hue);
    if (!colours) return BlitRotatedEffectToView(art, source, x, y, direction, clip);
    BlitRotated(art, source, x, y, direction, clip,
                [colours](M_WORD* dst, M_WORD p) { *dst = Blend(colours[(p >> 5) & 31], *dst); });
}
