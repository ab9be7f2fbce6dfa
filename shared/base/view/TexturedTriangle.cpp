// The two fillers share the set-up and the walk down the triangle's rows;
// they differ only in the columns of a row they write and in the grey
// lookup.
//
// Fixed point is 20.12; products of two fixed-point values, and of a
// coordinate and 4096, are taken in 64 bits so that no corner position can
// overflow them.  Texture coordinates are kept inside the texture and
// levels inside the scale table whatever the rounding does at a row's far
// end.
#include "view/TexturedTriangle.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "resources/GraphicManager.h"
#include "resources/SpanHandlers.h"
#include "view/Light.h"

namespace {

using Fixed = std::int64_t;
constexpr int kShift = 12;
constexpr Fixed kOne = 4096;

struct Vertex {
    int x, y, u, v, light;
};

struct Edge {
    Fixed x, u, v, light;
    Fixed dx, du, dv, dlight;

    // From vertex a towards b over dy rows (dy > 0); the left edge runs one
    // pixel left of the line between its corners.
    void Start(const Vertex& a, const Vertex& b, bool left) {
        const Fixed dy = b.y - a.y;
        x = (static_cast<Fixed>(a.x) - (left ? 1 : 0)) * kOne;
        u = static_cast<Fixed>(a.u) * kOne;
        v = static_cast<Fixed>(a.v) * kOne;
        light = static_cast<Fixed>(a.light) * kOne;
        dx = (static_cast<Fixed>(b.x) - a.x) * kOne / dy;
        du = (static_cast<Fixed>(b.u) - a.u) * kOne / dy;
        dv = (static_cast<Fixed>(b.v) - a.v) * kOne / dy;
        dlight = (static_cast<Fixed>(b.light) - a.light) * kOne / dy;
    }
    void Step() {
        x += dx;
        u += du;
        v += dv;
        light += dlight;
    }
};

Vertex MakeVertex(const TriangleCorner* c, int light, int m) {
    Vertex v{c->x, c->y, 0, 0, light};
    switch (c->corner) {
        case 2:
            v.u = m;
            break;
        case 3:
            v.u = m;
            v.v = m;
            break;
        case 4:
            v.v = m;
            break;
        default:
            break;
    }
    return v;
}

// The texture of a call and how a texel turns into a pixel.
struct Texture {
    const M_BYTE* texels;
    int sizeCode;
    int m;
    bool grey;
};

// A 5-5-5 colour darkened to level 0..31: each channel c becomes
// (c * (32 - level)) >> 5, the light scale table's entry, here for the
// three channels at once in three 16-bit lanes of one word.
inline M_WORD Darken(unsigned t, int level) {
    const std::uint64_t lanes =
        (t & 0x1F) | (std::uint64_t(t & 0x3E0) << 11) | (std::uint64_t(t & 0x7C00) << 22);
    const std::uint64_t y = (lanes * static_cast<std::uint64_t>(32 - level)) >> 5;
    return static_cast<M_WORD>((y & 0x1F) | ((y >> 11) & 0x3E0) | ((y >> 22) & 0x7C00));
}

// The pixel of texel (tu, tv) (within the texture) at level 0..31.
template <bool Grey, int SizeCode>
inline M_WORD TexelPixel(const M_BYTE* texels, int tu, int tv, int level) {
    M_WORD t;
    std::memcpy(&t, texels + 2 * ((tv << (6 + SizeCode)) + tu), sizeof t);
    // Texels are 15-bit colours; a stray top bit must not index past the
    // tables.
    t &= 0x7FFF;
    if constexpr (Grey) t = GraphicManager::greyTable[t];
    return Darken(t, level);
}

// Writes n columns from `out`, starting from the values (20.12) of the
// first column and stepping them once a column.  Where the whole span
// stays inside the texture and the level table (it runs straight, so its
// two ends tell), the loop runs in 32 bits without clamping; elsewhere each
// value is clamped.
template <bool Grey, int SizeCode>
void SpanOf(M_WORD* out, int n, Fixed u, Fixed v, Fixed light, Fixed du, Fixed dv, Fixed dl,
            const M_BYTE* texels) {
    constexpr int m = (64 << SizeCode) - 1;
    constexpr Fixed texLimit = Fixed(m + 1) << kShift;
    constexpr Fixed levelLimit = Fixed(32) << kShift;
    auto inside = [n](Fixed start, Fixed step, Fixed limit) {
        const Fixed last = start + step * (n - 1);
        return std::min(start, last) >= 0 && std::max(start, last) < limit;
    };
    if (inside(u, du, texLimit) && inside(v, dv, texLimit) && inside(light, dl, levelLimit)) {
        std::int32_t uu = static_cast<std::int32_t>(u), vv = static_cast<std::int32_t>(v),
                     ll = static_cast<std::int32_t>(light);
        const std::int32_t su = static_cast<std::int32_t>(du), sv = static_cast<std::int32_t>(dv),
                           sl = static_cast<std::int32_t>(dl);
        for (int i = 0; i < n; ++i) {
            out[i] = TexelPixel<Grey, SizeCode>(texels, uu >> kShift, vv >> kShift, ll >> kShift);
            uu += su;
            vv += sv;
            ll += sl;
        }
        return;
    }
    for (int i = 0; i < n; ++i) {
        out[i] = TexelPixel<Grey, SizeCode>(
            texels, static_cast<int>(std::clamp<Fixed>(u >> kShift, 0, m)),
            static_cast<int>(std::clamp<Fixed>(v >> kShift, 0, m)),
            static_cast<int>(std::clamp<Fixed>(light >> kShift, 0, 31)));
        u += du;
        v += dv;
        light += dl;
    }
}

// Columns [first, end) of a row.
void Span(M_WORD* row, Fixed first, Fixed end, Fixed u, Fixed v, Fixed light, Fixed du, Fixed dv,
          Fixed dl, const Texture& tex) {
    if (end <= first) return;
    const int n = static_cast<int>(end - first);
    M_WORD* out = row + first;
    if (tex.grey)
        (tex.sizeCode ? SpanOf<true, 1> : SpanOf<true, 0>)(out, n, u, v, light, du, dv, dl,
                                                           tex.texels);
    else
        (tex.sizeCode ? SpanOf<false, 1> : SpanOf<false, 0>)(out, n, u, v, light, du, dv, dl,
                                                             tex.texels);
}

void DrawRow(M_WORD* target, int pitch, int y, const Edge& l, const Edge& r, const RECT& clip,
             const Texture& tex, bool upper) {
    if (y < clip.top || y >= clip.bottom) return;
    M_WORD* row = target + static_cast<long>(y) * pitch;
    const Fixed xl = l.x >> kShift;
    const Fixed xr = r.x >> kShift;
    const Fixed w = xr - xl + 1;
    if (w < 1) return;
    const Fixed recip = kOne / w;
    const Fixed dl = ((r.light - l.light) * recip) >> kShift;
    const Fixed du = ((r.u - l.u) * recip) >> kShift;
    const Fixed dv = ((r.v - l.v) * recip) >> kShift;
    // The grey filler reaches the right end column in the upper part; the
    // other never writes it.  A row starting left of the clip starts with
    // the values the columns before would have stepped to.
    const Fixed end = std::min<Fixed>(tex.grey && upper ? xr + 1 : xr, clip.right);
    const Fixed first = std::max<Fixed>(xl, clip.left);
    const Fixed skip = first - xl;
    Span(row, first, end, l.u + du * skip, l.v + dv * skip, l.light + dl * skip, du, dv, dl, tex);
}

void Fill(M_WORD* target, const Texture& tex, const TriangleCorner* a, const TriangleCorner* b,
          const TriangleCorner* c, int la, int lb, int lc, const RECT* clip) {
    if (!target || !tex.texels || !a || !b || !c || !clip) return;
    const Vertex vx[3] = {MakeVertex(a, la, tex.m), MakeVertex(b, lb, tex.m),
                          MakeVertex(c, lc, tex.m)};
    int bottom = vx[1].y > vx[0].y ? 1 : 0;
    int top = vx[1].y < vx[0].y ? 1 : 0;
    if (vx[2].y > vx[bottom].y) bottom = 2;
    if (vx[2].y < vx[top].y) top = 2;
    if (vx[bottom].y - vx[top].y < 1) return;  // all three on one row
    const int mid = 3 - top - bottom;
    const Vertex& T = vx[top];
    const Vertex& M = vx[mid];
    const Vertex& B = vx[bottom];

    Edge left, right;
    bool leftEndsAtMid = false, rightEndsAtMid = false;
    if (M.y == T.y) {
        if (T.x >= M.x) {
            left.Start(M, B, true);
            right.Start(T, B, false);
        } else {
            left.Start(T, B, true);
            right.Start(M, B, false);
        }
    } else {
        bool midLeft;
        if (T.x == B.x)
            midLeft = M.x <= T.x;
        else if (T.x == M.x)
            midLeft = T.x < B.x;
        else if (M.y == B.y)
            midLeft = M.x <= B.x;
        else {
            const Fixed sl = (static_cast<Fixed>(B.x) - T.x) * kOne / (B.y - T.y);
            const Fixed sm = (static_cast<Fixed>(M.x) - T.x) * kOne / (M.y - T.y);
            midLeft = sl >= sm;
        }
        left.Start(T, midLeft ? M : B, true);
        right.Start(T, midLeft ? B : M, false);
        leftEndsAtMid = midLeft;
        rightEndsAtMid = !midLeft;
    }

    const int pitch = thelightthingie::target.pitch;
    int y = T.y;
    for (; y <= M.y; ++y) {
        DrawRow(target, pitch, y, left, right, *clip, tex, true);
        left.Step();
        right.Step();
    }
    if (y > B.y) return;
    // The edge that ended at the middle corner goes on towards the bottom,
    // started one row on.
    if (leftEndsAtMid) {
        left.Start(M, B, true);
        left.Step();
    } else if (rightEndsAtMid) {
        right.Start(M, B, false);
        right.Step();
    }
    for (; y <= B.y; ++y) {
        DrawRow(target, pitch, y, left, right, *clip, tex, false);
        left.Step();
        right.Step();
    }
}

}  // namespace

void DrawTexturedTriangle(M_WORD* target, const M_BYTE* texels, int sizeCode,
                          const TriangleCorner* a, const TriangleCorner* b, const TriangleCorner* c,
                          int lightA, int lightB, int lightC, const RECT* clip) {
    if (sizeCode != 0 && sizeCode != 1) return;
    const Texture tex{texels, sizeCode, (64 << sizeCode) - 1, false};
    Fill(target, tex, a, b, c, lightA, lightB, lightC, clip);
}

void DrawTexturedTriangleGrey(M_WORD* target, const M_BYTE* texels, int sizeCode,
                              const TriangleCorner* a, const TriangleCorner* b,
                              const TriangleCorner* c, int lightA, int lightB, int lightC,
                              const RECT* clip) {
    if (sizeCode != 0 && sizeCode != 1) return;
    const Texture tex{texels, sizeCode, (64 << sizeCode) - 1, true};
    Fill(target, tex, a, b, c, lightA, lightB, lightC, clip);
}
