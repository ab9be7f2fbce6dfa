// The controls' drawing, each beside a memcpy of the same pixels:
//   RedrawText of a focused input field whose line is full of text;
//   drawing a list box of 100 rows whole.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "BenchScratch.h"
#include "FileManager.h"
#include "FrameBuf.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/InputControlGump.h"
#include "gumps/ListBoxGump.h"
#include "pending/PendingServices.h"
#include "resources/DHDCache.h"
#include "resources/FontManager.h"
#include "support/datafiles/DataFiles.h"

namespace {

constexpr int kFont = 5;
constexpr int kColumnArt = 2480;
constexpr int kFieldWidth = 400, kFieldHeight = 20;

// Gump art of the list box's column and highlight, and the bitmap fonts.
void InstallControlFiles() {
    static bool done = false;
    if (done) return;
    done = true;
    using namespace tw::datafiles;
    tw::bench::EnterScratchDir();
    InstallPendingServices();
    FileManager::startup();
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
        WriteBytes(CDHDCache::GetFileName(i), Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
    IndexedPair gumps;
    AddGumpArt(gumps, kColumnArt, Image(120, 6, Rgb555(90, 70, 40)));
    for (int i = 1; i <= 3; ++i)
        AddGumpArt(gumps, kColumnArt + i, Image(100, 10, Rgb555(60, 50, 30 * i)));
    AddGumpArt(gumps, kColumnArt + 4, Image(120, 6, Rgb555(90, 70, 40)));
    for (int id : {5109, 5110}) AddGumpArt(gumps, id, Image(4, 14, Rgb555(200, 200, 200)));
    AddGumpArt(gumps, 1000, Image(kFieldWidth, kFieldHeight, Rgb555(30, 30, 60)));
    gumps.write("gumpidx.mul", "gumpart.mul");
    std::vector<std::optional<BitmapFont>> fonts(kFont + 1);
    fonts[kFont] = TextFont(0x4210);
    WriteBytes("fonts.mul", EncodeFonts(fonts));
    mkdir("cd", 0755);
    hdConfig = MaxHD;
    CacheSize = 1;
    std::snprintf(CdRomDataPath, sizeof CdRomDataPath, "cd/");
    CDHDCache::startup();
    CDHDCache::Init();
    FontManager::startup();
}

// A focused field over its art with a line of text as long as fits.
CInputControlGump* FullField() {
    auto* field =
        new CInputControlGump(0, 0, 400, kFieldHeight, nullptr, 1000, 0, CInputControlGump::TEXT,
                              CInputControlGump::MAX_TEXT, kFont, 902, TRUE, FALSE, 0);
    const int fits =
        FontManager::CountCharsInWidth(kFont, std::string(200, 'm').c_str(), kFieldWidth - 12);
    std::string line;
    for (int i = 0; i < fits; ++i) line += static_cast<char>('a' + i % 26);
    field->SetText(line.c_str());
    field->caret = fits;
    g_focusGump = field;
    return field;
}

void BM_RedrawTextFullLine(benchmark::State& state) {
    InstallControlFiles();
    CInputControlGump* field = FullField();
    for (auto _ : state) {
        field->RedrawText();
        benchmark::DoNotOptimize(field->FramePixels(0));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    g_focusGump = nullptr;
    delete field;
}
BENCHMARK(BM_RedrawTextFullLine);

// The baseline: a copy of as many pixels as the field's bitmap holds.
void BM_MemcpyFieldBitmap(benchmark::State& state) {
    const size_t pixels = static_cast<size_t>(FramePitch(kFieldWidth)) * kFieldHeight;
    std::vector<M_WORD> source(pixels, 0x1234), destination(pixels);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), pixels * 2);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MemcpyFieldBitmap);

// A list box of 100 rows, the screen tall enough to hold it.
CListBoxControlGump* HundredRows() {
    g_displayWidth = 800;
    g_displayHeight = 2000;
    auto* box = new CListBoxControlGump(10, 0, kColumnArt, 0, 0, kFont, 902, 0);
    for (int i = 0; i < CListBoxControlGump::MAX_ITEMS; ++i)
        box->AddItem(i, ("row number " + std::to_string(i)).c_str());
    box->hovered = 50;
    box->DrawItem(-1);
    return box;
}

void BM_DrawListBox100Rows(benchmark::State& state) {
    InstallControlFiles();
    CListBoxControlGump* box = HundredRows();
    for (auto _ : state) {
        box->DrawItem(-1);
        benchmark::DoNotOptimize(box->FramePixels(0));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    delete box;
}
BENCHMARK(BM_DrawListBox100Rows);

// The baseline: a copy of as many pixels as the list box's bitmap holds.
void BM_MemcpyListBoxBitmap(benchmark::State& state) {
    InstallControlFiles();
    CListBoxControlGump* box = HundredRows();
    const size_t pixels = static_cast<size_t>(box->pitch) * box->height;
    delete box;
    std::vector<M_WORD> source(pixels, 0x1234), destination(pixels);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), pixels * 2);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MemcpyListBoxBitmap);

}  // namespace
