// Span handlers on short and long spans, and a frame of clipped sprites, each
// beside memcpy of the same number of bytes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

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

// 2000 sprites spread over (and past the edges of) a 640 x 480 frame.
void BM_ClippedSpritesPerFrame(benchmark::State& state) {
    int opaque = 0;
    const tw::datafiles::Bytes item = SpriteItem(&opaque);
    const SkipImage image{item.data(), static_cast<int>(item.size())};
    std::vector<M_WORD> frame(640 * 480);
    SetBlitDestination(frame.data(), 640, 480);
    const RECT clip{0, 0, 640, 480};
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i)
            SkipDrawClipped(CopySpan, image, clip, (i * 37) % 700 - 30, (i * 53) % 540 - 30);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
    state.counters["opaque_pixels_per_sprite"] = opaque;
}
BENCHMARK(BM_ClippedSpritesPerFrame);

// memcpy of the opaque pixels of 2000 such sprites.
void BM_MemcpySpriteBytes(benchmark::State& state) {
    int opaque = 0;
    SpriteItem(&opaque);
    std::vector<M_WORD> src = SourceRow(opaque), dst(opaque);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) memcpy(dst.data(), src.data(), opaque * sizeof(M_WORD));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}
BENCHMARK(BM_MemcpySpriteBytes);

}  // namespace
