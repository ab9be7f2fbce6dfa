#include "resources/SpanHandlers.h"

#include <cstddef>
#include <cstring>

#include "config/Config.h"
#include "resources/PixelFormat.h"

int DrawHue = 0;
M_BYTE ChannelScaleTable[32][32];

namespace {

// Pixel i of a source run.
inline M_WORD Load(const M_BYTE* src, int i) {
    M_WORD v;
    memcpy(&v, src + 2 * static_cast<std::ptrdiff_t>(i), sizeof v);
    return v;
}

// Channels index 32-entry rows, so a pixel's bit 15 must never reach them.
inline unsigned Channel(unsigned pixel, int shift) {
    return (pixel >> shift) & 31;
}

inline M_WORD Blend50(unsigned s, unsigned d, unsigned half) {
    return static_cast<M_WORD>((((s & half) + (d & half)) >> 1) | 1);
}

// Three quarters a, one quarter b.
inline M_WORD Blend75(unsigned a, unsigned b, unsigned half, unsigned quarter) {
    return static_cast<M_WORD>((((((a & quarter) + (b & quarter)) >> 1) + (a & half)) >> 1) | 1);
}

inline bool Gray(unsigned p, int grayShift) {
    p &= 0x7FFF;
    return (p >> grayShift) == (p & 0x3FF);
}

inline M_WORD TableBlend(const M_WORD* t, unsigned s, unsigned d) {
    return static_cast<M_WORD>(t[(s >> 10 & 31) + 32 * (d >> 10 & 31)] << 10 |
                               t[(s >> 5 & 31) + 32 * (d >> 5 & 31)] << 5 |
                               t[(s & 31) + 32 * (d & 31)]);
}

// The hue lookups: by the red channel or by the green one.  A hue number that
// names no hue gives NoHue, which leaves the pixel unhued.
struct RedHue {
    const M_WORD* row;
    int shift;
    M_WORD operator()(unsigned s) const { return row[Channel(s, shift)]; }
};
struct GreenHue {
    const M_WORD* row;
    M_WORD operator()(unsigned s) const { return row[Channel(s, 5)]; }
};
struct NoHue {
    M_WORD operator()(unsigned s) const { return static_cast<M_WORD>(s); }
};

template <class Body>
void WithRedHue(Body body) {
    if (const M_WORD* row = HueColours(DrawHue))
        body(RedHue{row, PixelRedShift});
    else
        body(NoHue{});
}

template <class Body>
void WithGreenHue(Body body) {
    if (const M_WORD* row = HueColours(DrawHue))
        body(GreenHue{row});
    else
        body(NoHue{});
}

// The one loop every handler runs: op(source, destination) gives the pixel
// to write; with SkipZero a source pixel of 0 leaves the destination alone.
template <bool SkipZero, class Op>
inline void Run(M_WORD* dst, const void* source, int count, Op op) {
    const auto* src = static_cast<const M_BYTE*>(source);
    // A select rather than a branch, so that the loop vectorises.
    for (int i = 0; i < count; ++i) {
        const unsigned s = Load(src, i);
        const M_WORD d = dst[i];
        const M_WORD out = op(s, d);
        dst[i] = (SkipZero && s == 0) ? d : out;
    }
}

}  // namespace

BOOL IsGrayPixel(M_WORD pixel) {
    return Gray(pixel, PixelGrayShift);
}

void CopySpan(M_WORD* dst, const void* src, int count) {
    if (count > 0) memcpy(dst, src, static_cast<size_t>(count) * sizeof(M_WORD));
}

void CopySpanTransparent(M_WORD* dst, const void* src, int count) {
    Run<true>(dst, src, count, [](unsigned s, unsigned) { return static_cast<M_WORD>(s); });
}

void BlendSpan50(M_WORD* dst, const void* src, int count) {
    const unsigned h = PixelHalfMask;
    Run<true>(dst, src, count, [h](unsigned s, unsigned d) { return Blend50(s, d, h); });
}

void Blend75SpanTransparent(M_WORD* dst, const void* src, int count) {
    const unsigned h = PixelHalfMask, q = PixelQuarterMask;
    Run<true>(dst, src, count, [h, q](unsigned s, unsigned d) { return Blend75(s, d, h, q); });
}

void Blend75Span(M_WORD* dst, const void* src, int count) {
    const unsigned h = PixelHalfMask, q = PixelQuarterMask;
    Run<false>(dst, src, count, [h, q](unsigned s, unsigned d) { return Blend75(s, d, h, q); });
}

void Blend25Span(M_WORD* dst, const void* src, int count) {
    const unsigned h = PixelHalfMask, q = PixelQuarterMask;
    Run<false>(dst, src, count, [h, q](unsigned s, unsigned d) { return Blend75(d, s, h, q); });
}

void ShadowSpan(M_WORD* dst, const void* src, int count) {
    const unsigned h = PixelHalfMask;
    Run<true>(dst, src, count,
              [h](unsigned, unsigned d) { return static_cast<M_WORD>(((d & h) >> 1) | 1); });
}

void HueSpanTransparent(M_WORD* dst, const void* src, int count) {
    WithRedHue([&](auto hue) {
        Run<true>(dst, src, count, [hue](unsigned s, unsigned) { return hue(s); });
    });
}

void HueSpan(M_WORD* dst, const void* src, int count) {
    WithRedHue([&](auto hue) {
        Run<false>(dst, src, count, [hue](unsigned s, unsigned) { return hue(s); });
    });
}

void HueGraySpanTransparent(M_WORD* dst, const void* src, int count) {
    const int g = PixelGrayShift;
    WithRedHue([&](auto hue) {
        Run<true>(dst, src, count, [hue, g](unsigned s, unsigned) {
            return Gray(s, g) ? hue(s) : static_cast<M_WORD>(s);
        });
    });
}

void HueGraySpan(M_WORD* dst, const void* src, int count) {
    const int g = PixelGrayShift;
    WithRedHue([&](auto hue) {
        Run<false>(dst, src, count, [hue, g](unsigned s, unsigned) {
            return Gray(s, g) ? hue(s) : static_cast<M_WORD>(s);
        });
    });
}

void HueBlendSpanTransparent(M_WORD* dst, const void* src, int count) {
    const unsigned h = PixelHalfMask, q = PixelQuarterMask;
    WithRedHue([&](auto hue) {
        Run<true>(dst, src, count,
                  [hue, h, q](unsigned s, unsigned d) { return Blend75(hue(s), d, h, q); });
    });
}

void HueBlendSpan(M_WORD* dst, const void* src, int count) {
    const unsigned h = PixelHalfMask, q = PixelQuarterMask;
    WithRedHue([&](auto hue) {
        Run<false>(dst, src, count,
                   [hue, h, q](unsigned s, unsigned d) { return Blend75(hue(s), d, h, q); });
    });
}

void HueGrayBlendSpanTransparent(M_WORD* dst, const void* src, int count) {
    const unsigned h = PixelHalfMask, q = PixelQuarterMask;
    const int g = PixelGrayShift;
    WithRedHue([&](auto hue) {
        Run<true>(dst, src, count, [hue, h, q, g](unsigned s, unsigned d) {
            return Gray(s, g) ? Blend75(hue(s), d, h, q) : static_cast<M_WORD>(s);
        });
    });
}

void HueGrayBlendSpan(M_WORD* dst, const void* src, int count) {
    const unsigned h = PixelHalfMask, q = PixelQuarterMask;
    const int g = PixelGrayShift;
    WithRedHue([&](auto hue) {
        Run<false>(dst, src, count, [hue, h, q, g](unsigned s, unsigned d) {
            return Gray(s, g) ? Blend75(hue(s), d, h, q) : static_cast<M_WORD>(s);
        });
    });
}

void HueGreenSpan(M_WORD* dst, const void* src, int count) {
    WithGreenHue([&](auto hue) {
        Run<false>(dst, src, count, [hue](unsigned s, unsigned) { return hue(s); });
    });
}

void BlendTableSpan(M_WORD* dst, const void* src, int count) {
    const M_WORD* t = CurrentBlendTable;
    Run<false>(dst, src, count, [t](unsigned s, unsigned d) { return TableBlend(t, s, d); });
}

void HueGreenBlendTableSpan(M_WORD* dst, const void* src, int count) {
    const M_WORD* t = CurrentBlendTable;
    WithGreenHue([&](auto hue) {
        Run<false>(dst, src, count,
                   [hue, t](unsigned s, unsigned d) { return TableBlend(t, hue(s), d); });
    });
}

void CensoredBloodSpan(M_WORD* dst, const void* src, int count) {
    const unsigned k = static_cast<unsigned>(CensoredBloodColor) & 0x7FFF;
    Run<false>(dst, src, count, [k](unsigned s, unsigned) {
        const unsigned r = Channel(s, 10), g = Channel(s, 5), b = Channel(s, 0);
        if (r <= g + b) return static_cast<M_WORD>(s);
        const M_BYTE* scale = ChannelScaleTable[31 - r];
        return static_cast<M_WORD>((scale[Channel(k, 10)] & 31) << 10 |
                                   (scale[Channel(k, 5)] & 31) << 5 | (scale[Channel(k, 0)] & 31));
    });
}
