// Span handlers on short and long spans, a frame of clipped sprites and gump
// art of three kinds of runs, each beside memcpy of the same bytes: the
// sprites beside a memcpy of exactly the pixels they put on screen, the gump
// art beside a row-by-row memcpy of the picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resources/GumpArt.h"
#include "resources/HueManager.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"
#include "support/datafiles/ArtFormats.h"

namespace {

std::vector<M_WORD> SourceRow(int n) {
    std::vector<M_WORD> row(n);
    for (int i = 0; i < n; ++i) row[i] = static_cast<M_WORD>((i * 0x1357) & 0x7FFF) | 1;
    return row;
}

void PrepareHue() {
    Hue& hue = HueManager::hueTable[7];
    for (int i = 0; i < 32; ++i) hue.colors[i] = static_cast<M_WORD>(i << 10 | i);
    DrawHue = 7;
    SelectBlendTable(3);
}

void RunSpan(benchmark::State& state, SpanHandler handler) {
    PrepareHue();
    const int n = static_cast<int>(state.range(0));
    std::vector<M_WORD> src = SourceRow(n), dst(n, 0x4210);
    for (auto _ : state) {
        handler(dst.data(), src.data(), n);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.SetBytesProcessed(state.iterations() * n * 2);
}

void BM_Memcpy(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<M_WORD> src = SourceRow(n), dst(n);
    for (auto _ : state) {
        memcpy(dst.data(), src.data(), n * sizeof(M_WORD));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.SetBytesProcessed(state.iterations() * n * 2);
}

#define SPAN_BENCH(handler)                      \
    void BM_##handler(benchmark::State& state) { \
        RunSpan(state, handler);                 \
    }                                            \
    BENCHMARK(BM_##handler)->Arg(8)->Arg(640)

BENCHMARK(BM_Memcpy)->Arg(8)->Arg(640);
SPAN_BENCH(CopySpan);
SPAN_BENCH(CopySpanTransparent);
SPAN_BENCH(BlendSpan50);
SPAN_BENCH(Blend75Span);
SPAN_BENCH(ShadowSpan);
SPAN_BENCH(HueSpan);
SPAN_BENCH(HueGraySpan);
SPAN_BENCH(HueBlendSpan);
SPAN_BENCH(HueGrayBlendSpan);
SPAN_BENCH(HueGreenSpan);
SPAN_BENCH(BlendTableSpan);
SPAN_BENCH(HueGreenBlendTableSpan);
SPAN_BENCH(CensoredBloodSpan);

// A 44 x 80 sprite with a hole pattern, as static art tends to look.
tw::datafiles::Bytes SpriteItem(int* opaque) {
    tw::datafiles::Image img(44, 80);
    *opaque = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (std::abs(x - 22) < 4 + y / 4 && (x + y) % 13 != 0) {
                img.set(x, y, static_cast<M_WORD>(0x2000 | (x * 31 + y)));
                ++*opaque;
            }
    return tw::datafiles::EncodeStaticArt(img);
}

constexpr int kSprites = 2000;
constexpr int kFrameWidth = 640, kFrameHeight = 480;

// Where sprite i goes: spread over the frame and across all four edges, but
// never wholly outside it.  At least 22 of its 44 columns (its middle column
// among them) and 20 of its 80 rows are always on screen, so that every
// sprite puts pixels there.
int SpriteX(int i) {
    return (i * 37) % kFrameWidth - 22;
}
int SpriteY(int i) {
    return (i * 53) % kFrameHeight - 60;
}

// Counts the pixels a handler is asked to write.
long s_counted = 0;
void CountSpan(M_WORD*, const void*, int count) {
    s_counted += count;
}

// 2000 sprites spread over (and across the edges of) a 640 x 480 frame.
void BM_ClippedSpritesPerFrame(benchmark::State& state) {
    int opaque = 0;
    const tw::datafiles::Bytes item = SpriteItem(&opaque);
    const SkipImage image{item.data(), static_cast<int>(item.size())};
    std::vector<M_WORD> frame(kFrameWidth * kFrameHeight);
    const BlitTarget target(frame.data(), kFrameWidth, kFrameHeight);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i)
            SkipDrawClipped(CopySpan, image, target, SpriteX(i), SpriteY(i));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
    state.counters["opaque_pixels_per_sprite"] = opaque;
}
BENCHMARK(BM_ClippedSpritesPerFrame);

// memcpy of the pixels each of those sprites puts on screen, to its place.
void BM_MemcpySpriteBytes(benchmark::State& state) {
    int opaque = 0;
    const tw::datafiles::Bytes item = SpriteItem(&opaque);
    const SkipImage image{item.data(), static_cast<int>(item.size())};
    std::vector<M_WORD> frame(kFrameWidth * kFrameHeight);
    const BlitTarget target(frame.data(), kFrameWidth, kFrameHeight);
    std::vector<int> visible(kSprites), at(kSprites);
    for (int i = 0; i < kSprites; ++i) {
        s_counted = 0;
        SkipDrawClipped(CountSpan, image, target, SpriteX(i), SpriteY(i));
        visible[i] = static_cast<int>(s_counted);
        at[i] = std::max(SpriteY(i), 0) * kFrameWidth + std::max(SpriteX(i), 0);
        if (visible[i] == 0) {
            state.SkipWithError("a sprite puts nothing on screen");
            return;
        }
    }
    // Room past the frame's end for the last rows' copies.
    std::vector<M_WORD> src = SourceRow(44 * 80), dst(frame.size() + 44 * 80);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i)
            memcpy(dst.data() + at[i], src.data(), visible[i] * sizeof(M_WORD));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}
BENCHMARK(BM_MemcpySpriteBytes);

// Gump art 400 x 300: arg 0 long runs (a few per row), 1 runs of 3 pixels,
// 2 runs of 5 with holes of 3 (transparent runs between them).
tw::datafiles::GumpArt GumpPicture(int kind) {
    tw::datafiles::Image img(400, 300);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            M_WORD colour = static_cast<M_WORD>(0x1000 + y);
            if (kind == 0) colour = static_cast<M_WORD>(colour + x / 100);
            if (kind == 1) colour = static_cast<M_WORD>(colour + x / 3);
            if (kind == 2) colour = x % 8 < 5 ? static_cast<M_WORD>(colour + x / 8) : 0;
            img.set(x, y, colour);
        }
    return tw::datafiles::EncodeGumpArt(img);
}

const char* const kGumpKinds[] = {"long runs", "3-pixel runs", "runs with holes"};

void BM_DrawGumpArt(benchmark::State& state) {
    const tw::datafiles::GumpArt art = GumpPicture(static_cast<int>(state.range(0)));
    const GumpArtItem item{art.data.data(), static_cast<int>(art.data.size()), 400, 300};
    std::vector<M_WORD> frame(kFrameWidth * kFrameHeight);
    const BlitTarget target(frame.data(), kFrameWidth, kFrameHeight);
    state.SetLabel(kGumpKinds[state.range(0)]);
    for (auto _ : state) {
        DrawGumpArtItem(CopySpanTransparent, item, 100, 90, target);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 400 * 300 * 2);
}
BENCHMARK(BM_DrawGumpArt)->Arg(0)->Arg(1)->Arg(2);

void BM_MemcpyGumpRows(benchmark::State& state) {
    std::vector<M_WORD> src = SourceRow(400 * 300), frame(kFrameWidth * kFrameHeight);
    for (auto _ : state) {
        for (int row = 0; row < 300; ++row)
            memcpy(frame.data() + (90 + row) * kFrameWidth + 100, src.data() + row * 400,
                   400 * sizeof(M_WORD));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 400 * 300 * 2);
}
BENCHMARK(BM_MemcpyGumpRows);

}  // namespace
