// Speech and text, each beside a baseline in the same run:
//   a 500-element layout parsed and drawn (CGenericGump), beside a memcpy of
//   the frame it draws;
//   one journal line added with the journal window open (the window lays
//   out and redraws), beside a memcpy of the window's frame.
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
#include "comm/Journal.h"
#include "comm/TextGump.h"
#include "config/Config.h"
#include "gumps/GenericGump.h"
#include "gumps/Gump.h"
#include "gumps/TextManager.h"
#include "pending/PendingServices.h"
#include "resources/DHDCache.h"
#include "resources/FontManager.h"
#include "support/datafiles/DataFiles.h"

namespace {

using namespace tw::datafiles;

void InstallFiles() {
    static bool done = false;
    if (done) return;
    done = true;
    tw::bench::EnterScratchDir();
    InstallPendingServices();
    FileManager::startup();
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
        WriteBytes(CDHDCache::GetFileName(i), Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
    IndexedPair gumps;
    for (int id = 1; id <= 4; ++id) AddGumpArt(gumps, id, Image(20, 12, Rgb555(40 * id, 90, 60)));
    for (int id = 300; id <= 308; ++id) AddGumpArt(gumps, id, Image(8, 8, Rgb555(150, 100, 50)));
    for (int id = 2080; id <= 2096; ++id)
        AddGumpArt(gumps, id, Image(id <= 2083 ? 270 : 16, 30, 0x4A52));
    AddGumpArt(gumps, 31, Image(10, 14, 0x7FFF));
    gumps.write("gumpidx.mul", "gumpart.mul");
    const Bytes font = EncodeUnicodeFont(TextUnicodeGlyphs());
    for (const char* name : {"unifont.mul", "unifont1.mul", "unifont2.mul"}) WriteBytes(name, font);
    std::vector<std::optional<BitmapFont>> fonts(10);
    for (auto& f : fonts) f = TextFont(0x7BDE);
    WriteBytes("fonts.mul", EncodeFonts(fonts));
    mkdir("cd", 0755);
    hdConfig = MaxHD;
    CacheSize = 1;
    std::snprintf(CdRomDataPath, sizeof CdRomDataPath, "cd/");
    CDHDCache::startup();
    CDHDCache::Init();
    FontManager::startup();
    TextManager::startup();
}

// 500 elements over two pages and ten groups: frames, pictures, text,
// buttons, switches and entries.
std::string Layout500() {
    std::string layout = "{resizepic 0 0 300 600 400}";
    int n = 1;
    for (int group = 1; n < 500; ++group) {
        layout += "{group " + std::to_string(group) + "}";
        for (int i = 0; i < 50 && n < 500; ++i, ++n) {
            const std::string x = std::to_string(10 + (i % 10) * 55),
                              y = std::to_string(10 + (i / 10) * 70);
            switch (i % 6) {
                case 0:
                    layout += "{gumppic " + x + " " + y + " 1}";
                    break;
                case 1:
                    layout += "{text " + x + " " + y + " 20 " + std::to_string(i % 4) + "}";
                    break;
                case 2:
                    layout += "{button " + x + " " + y + " 1 2 1 0 " + std::to_string(n) + "}";
                    break;
                case 3:
                    layout += "{checkbox " + x + " " + y + " 3 4 1 " + std::to_string(n) + "}";
                    break;
                case 4:
                    layout +=
                        "{textentry " + x + " " + y + " 50 12 30 " + std::to_string(n) + " 1}";
                    break;
                default:
                    layout += "{page " + std::to_string(i % 2) + "}";
                    break;
            }
        }
    }
    return layout;
}

struct Lines {
    std::vector<std::vector<M_WORD>> texts;
    std::vector<const M_WORD*> pointers;
    Lines() {
        for (const char* t : {"A choice", "name", "Take the blade", "Leave"}) {
            std::vector<M_WORD> w(t, t + strlen(t));
            w.push_back(0);
            texts.push_back(w);
        }
        for (auto& t : texts) pointers.push_back(t.data());
    }
};

void BM_GenericGumpParseAndDraw(benchmark::State& state) {
    InstallFiles();
    const std::string layout = Layout500();
    const Lines lines;
    for (auto _ : state) {
        auto* gump = new CGenericGump(10, 10, layout.c_str(), lines.pointers.data(),
                                      static_cast<int>(lines.pointers.size()), 1, 2);
        benchmark::DoNotOptimize(gump->FramePixels(0));
        delete gump;
    }
    state.SetItemsProcessed(state.iterations() * 500);
}
BENCHMARK(BM_GenericGumpParseAndDraw);

// The frame the 500-element layout draws (600 x 400 pixels).
void BM_MemcpyGumpFrame(benchmark::State& state) {
    std::vector<M_WORD> from(600 * 400, 0x1234), to(600 * 400);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(M_WORD));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyGumpFrame);

void BM_JournalLineWithWindowOpen(benchmark::State& state) {
    InstallFiles();
    for (int i = 0; i < Journal::MAX_LINES; ++i)
        TextManager::AddJournalText("The wind carries the smell of the sea.", 0);
    auto* window = new CTextGump(20, 20);
    window->PutInGump(nullptr);
    for (auto _ : state) TextManager::AddJournalText("A guard says: Halt!", 0);
    state.SetItemsProcessed(state.iterations());
    delete window;
}
BENCHMARK(BM_JournalLineWithWindowOpen);

// The journal window's frame (272 x 300 pixels).
void BM_MemcpyJournalFrame(benchmark::State& state) {
    std::vector<M_WORD> from(272 * 300, 0x1234), to(272 * 300);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(M_WORD));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyJournalFrame);

}  // namespace
