// Drawing a 200-character line in a bitmap font, beside memcpy of the bytes
// that the line covers.
#include <benchmark/benchmark.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "BenchScratch.h"
#include "resources/FontManager.h"
#include "support/datafiles/FontFormats.h"

namespace {

constexpr int kWidth = 1280, kHeight = 16;

void LoadFonts() {
    static bool done = false;
    if (done) return;
    done = true;
    tw::bench::EnterScratchDir();
    std::vector<std::optional<tw::datafiles::BitmapFont>> fonts(1);
    fonts[0] = tw::datafiles::TextFont(0x4210);
    tw::datafiles::WriteBytes("fonts.mul", tw::datafiles::EncodeFonts(fonts));
    FontManager::startup();
}

std::string Line() {
    std::string text;
    for (int i = 0; i < 200; ++i) text += static_cast<char>('a' + i % 26);
    return text;
}

void BM_DrawString200(benchmark::State& state) {
    LoadFonts();
    const std::string text = Line();
    std::vector<M_WORD> frame(kWidth * kHeight);
    const BlitTarget target(frame.data(), kWidth, kHeight);
    const int hue = static_cast<int>(state.range(0));
    for (auto _ : state) {
        FontManager::DrawString(0, 8, 0, hue, text.c_str(), target);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_DrawString200)->Arg(0)->Arg(5);

// The same number of bytes: 200 glyphs of 6 x 7 pixels.
void BM_MemcpyLineBytes(benchmark::State& state) {
    std::vector<M_WORD> src(200 * 6 * 7, 0x4210), dst(src.size());
    for (auto _ : state) {
        memcpy(dst.data(), src.data(), src.size() * sizeof(M_WORD));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_MemcpyLineBytes);

}  // namespace
