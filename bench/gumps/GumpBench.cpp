// The gump framework's hot paths, each beside a baseline in the same run:
//   DrawAllGumps over 10, 50 and 500 gumps at 640x480 and 800x600, with ring
//   offsets that split the screen into 1, 2 and 4 pieces, beside a memcpy of
//   the frame;
//   a tool-tip of 20, 200 and 1000 characters, beside a memcpy of its box;
//   UnicodeFindNoCase of 100 and 500 words in a 128-unit line, beside a
//   naive case-blind search.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "BenchScratch.h"
#include "CursorWindow.h"
#include "FileManager.h"
#include "FrameBuf.h"
#include "PlatformServices.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/ToolTipGump.h"
#include "gumps/UnicodeSearch.h"
#include "pending/PendingServices.h"
#include "resources/DHDCache.h"
#include "resources/UnicodeFont.h"
#include "support/datafiles/DataFiles.h"
#include "view/MouseCursor.h"
#include "view/ViewServices.h"

namespace {

int ScreenWidth(int size) {
    return size ? 800 : 640;
}
int ScreenHeight(int size) {
    return size ? 600 : 480;
}

// A screen of that size with count top-level gumps of 120 x 90 at seeded
// places, a few of their pixels transparent, and the ring start that gives
// the number of pieces.
struct Screen {
    std::vector<M_WORD> backBuffer;

    Screen(int size, int count, int pieces) {
        static bool installed = false;
        if (!installed) {
            installed = true;
            InstallPendingGumpServices();
            // The view's screen and its software cursor, off.
            tw::Service<GumpScreen>::Install(&ViewGumpScreen());
            tw::Service<MouseCursorService>::Install(&ViewMouseCursor());
            tw::Service<PlatformHooks>::Install(&X11PlatformHooks());
        }
        while (CGump* head = g_gumpList) delete head;
        UseToolTips = FALSE;
        g_displayWidth = ScreenWidth(size);
        g_displayHeight = ScreenHeight(size);
        backBuffer.assign(static_cast<size_t>(g_displayWidth) * g_displayHeight, 0x1234);
        g_backBuffer = backBuffer.data();
        g_viewX = g_viewY = 0;
        g_ringStart = pieces == 1   ? 0
                      : pieces == 2 ? 100 * g_displayWidth
                                    : 100 * g_displayWidth + g_displayWidth / 2;
        CGumpManager::SizeSaveBuffer(g_displayWidth, g_displayHeight);
        CGumpManager::mainBitmapReleased = FALSE;
        std::mt19937 rng(count);
        for (int i = 0; i < count; ++i) {
            auto* g = new CGump(static_cast<int>(rng() % (g_displayWidth - 60)),
                                static_cast<int>(rng() % (g_displayHeight - 45)), nullptr, nullptr,
                                1, 120, 90);
            M_WORD* pixels = g->NewFrameBlock(0, 120, 90);
            for (int p = 0; p < FramePitch(120) * 90; ++p)
                pixels[p] = p % 17 ? static_cast<M_WORD>(0x4000 + i + p) : 0;
            g->PutInGump(nullptr);
        }
    }
    ~Screen() {
        while (CGump* head = g_gumpList) delete head;
        g_backBuffer = nullptr;
    }
};

void BM_DrawAllGumps(benchmark::State& state) {
    Screen screen(static_cast<int>(state.range(1)), static_cast<int>(state.range(0)),
                  static_cast<int>(state.range(2)));
    const RECT all{0, 0, g_displayWidth, g_displayHeight};
    for (auto _ : state) {
        CGumpManager::DrawAllGumps(all, 1);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(screen.backBuffer.size()) *
                            2);
}
BENCHMARK(BM_DrawAllGumps)
    ->ArgNames({"gumps", "800x600", "pieces"})
    ->ArgsProduct({{10, 50, 500}, {0, 1}, {1, 2, 4}});

// The baseline: one copy of the whole frame.
void BM_MemcpyFrame(benchmark::State& state) {
    const size_t pixels = static_cast<size_t>(ScreenWidth(static_cast<int>(state.range(0)))) *
                          ScreenHeight(static_cast<int>(state.range(0)));
    std::vector<M_WORD> source(pixels, 0x1234), destination(pixels);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), pixels * 2);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(pixels) * 2);
}
BENCHMARK(BM_MemcpyFrame)->ArgName("800x600")->Arg(0)->Arg(1);

// The data files a tool-tip and the cursor need: the frame art, the Unicode
// fonts and the cursor arts.
void InstallToolTipFiles() {
    static bool done = false;
    if (done) return;
    done = true;
    using namespace tw::datafiles;
    tw::bench::EnterScratchDir();
    FileManager::startup();
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
        WriteBytes(CDHDCache::GetFileName(i), Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
    IndexedPair gumps;
    for (const ToolTipFramePiece& piece : ToolTipFrameArt())
        AddGumpArt(gumps, piece.id, piece.image);
    gumps.write("gumpidx.mul", "gumpart.mul");
    IndexedPair art;
    AddCursorArt(art);
    art.write("artidx.mul", "art.mul");
    const Bytes font = EncodeUnicodeFont(TextUnicodeGlyphs());
    for (const char* name : {"unifont.mul", "unifont1.mul", "unifont2.mul"}) WriteBytes(name, font);
    mkdir("cd", 0755);
    hdConfig = MaxHD;
    CacheSize = 1;
    std::snprintf(CdRomDataPath, sizeof CdRomDataPath, "cd/");
    CDHDCache::startup();
    CDHDCache::Init();
}

std::vector<M_WORD> TipText(int length) {
    std::vector<M_WORD> text;
    for (int i = 0; i < length; ++i) text.push_back(i % 7 == 6 ? ' ' : 'a' + i % 26);
    text.push_back(0);
    return text;
}

void BM_ToolTipConstruction(benchmark::State& state) {
    InstallToolTipFiles();
    const std::vector<M_WORD> text = TipText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto* tip = new ToolTipGump(10, 10, text.data());
        benchmark::DoNotOptimize(tip->FramePixels(0));
        delete tip;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToolTipConstruction)->ArgName("characters")->Arg(20)->Arg(200)->Arg(1000);

// The baseline: a copy of as many pixels as the tool-tip's box holds.
void BM_MemcpyToolTipBox(benchmark::State& state) {
    InstallToolTipFiles();
    const std::vector<M_WORD> text = TipText(static_cast<int>(state.range(0)));
    auto* tip = new ToolTipGump(10, 10, text.data());
    const size_t pixels = static_cast<size_t>(tip->pitch) * tip->height;
    delete tip;
    std::vector<M_WORD> source(pixels, 0x1234), destination(pixels);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), pixels * 2);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MemcpyToolTipBox)->ArgName("characters")->Arg(20)->Arg(200)->Arg(1000);

// A tree of count gumps on a 640x480 screen: windows of 120 x 90 at seeded
// places, each with up to four 20 x 20 children, every pixel opaque.  The
// pointer rests where no gump lies, so every search walks the whole list.
struct GumpTree {
    explicit GumpTree(int count) : screen(0, 0, 1) {
        std::mt19937 rng(count);
        auto frame = [](CGump* g, int w, int h) {
            M_WORD* pixels = g->NewFrameBlock(0, w, h);
            for (int p = 0; p < FramePitch(w) * h; ++p) pixels[p] = 0x4210;
        };
        for (int made = 0; made < count;) {
            auto* top = new CGump(static_cast<int>(rng() % 500), static_cast<int>(rng() % 360),
                                  nullptr, nullptr, 1, 120, 90);
            frame(top, 120, 90);
            top->PutInGump(nullptr);
            ++made;
            for (int c = 0; c < 4 && made < count; ++c, ++made) {
                auto* child = new CGump(10 + c * 25, 10, top, nullptr, 1, 20, 20);
                frame(child, 20, 20);
                child->PutInGump(top);
            }
        }
        MouseManager::SetPos(639, 479);
    }
    // Its destructor closes the gumps.
    Screen screen;
};

void BM_MouseManagerUpdate(benchmark::State& state) {
    GumpTree tree(static_cast<int>(state.range(0)));
    for (auto _ : state) MouseManager::Update();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MouseManagerUpdate)->ArgName("gumps")->Arg(10)->Arg(200);

// The reference: the one search for the gump under the pointer that every
// update makes.
void BM_GumpUnderPointer(benchmark::State& state) {
    GumpTree tree(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(CGumpManager::GetGumpAt(639, 479, nullptr, 0));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GumpUnderPointer)->ArgName("gumps")->Arg(10)->Arg(200);

// No window: the present's cursor finds no pointer to follow.
class NoWindow final : public CursorWindow {
public:
    BOOL ReadWindow(int, int, int, int, M_WORD*) override { return FALSE; }
    void WriteWindow(int, int, int, int, const M_WORD*) override {}
    BOOL QueryPointer(int*, int*) override { return FALSE; }
};

// The pointer cursor (shape 40) loaded from its art at (300, 200), or
// across the ring's end; the size of its picture.
struct LoadedCursor {
    explicit LoadedCursor(bool acrossRingEnd) : screen(0, 0, 1) {
        static NoWindow window;
        InstallToolTipFiles();
        tw::Service<CursorWindow>::Install(&window);
        MouseManager::reset();
        MouseManager::LoadCursorArt();
        MouseManager::EnableCursor(TRUE);
        MouseManager::SetCursorType(MouseManager::NORMAL_CURSOR);
        MouseManager::SetMouseCursor();
        MouseManager::SetPos(300, 200);
        // Screen (310, 200) is the ring's first pixel.
        g_ringStart = acrossRingEnd ? 640 * 480 - (200 * 640 + 310) : 0;
        const CursorSnapshot snap = MouseManager::TakeSnapshot();
        CursorArtPicture(snap.art, &width, &height);
    }
    ~LoadedCursor() {
        MouseManager::EnableCursor(FALSE);
        MouseManager::FreeCursorArt();
    }
    Screen screen;
    int width = 0;
    int height = 0;
};

void BM_CursorDrawAndErase(benchmark::State& state) {
    LoadedCursor cursor(state.range(0) != 0);
    for (auto _ : state) {
        MouseManager::DrawCursor();
        MouseManager::EraseCursor();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * cursor.width * cursor.height * 2);
}
BENCHMARK(BM_CursorDrawAndErase)->ArgName("across_ring_end")->Arg(0)->Arg(1);

// The baseline: the same pixels saved and put back by two copies.
void BM_MemcpyCursorPixels(benchmark::State& state) {
    LoadedCursor cursor(false);
    const size_t pixels = static_cast<size_t>(cursor.width) * cursor.height;
    std::vector<M_WORD> save(pixels);
    for (auto _ : state) {
        std::memcpy(save.data(), g_backBuffer, pixels * 2);
        std::memcpy(g_backBuffer, save.data(), pixels * 2);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(pixels) * 2);
}
BENCHMARK(BM_MemcpyCursorPixels);

// A 128-unit line of words and a list of words, in mixed case.
struct SearchInput {
    std::vector<M_WORD> line;
    std::vector<std::vector<M_WORD>> words;

    explicit SearchInput(int count) {
        std::mt19937 rng(count);
        auto letter = [&] {
            const M_WORD c = static_cast<M_WORD>('a' + rng() % 26);
            return rng() % 3 ? c : static_cast<M_WORD>(c - 32);
        };
        while (line.size() < 128) {
            line.push_back(line.size() % 6 == 5 ? ' ' : letter());
        }
        line.push_back(0);
        for (int i = 0; i < count; ++i) {
            std::vector<M_WORD> word(3 + rng() % 6);
            for (M_WORD& c : word) c = letter();
            word.push_back(0);
            words.push_back(word);
        }
    }
};

int NaiveFindNoCase(const M_WORD* pattern, const M_WORD* text) {
    for (int j = 0; text[j]; ++j) {
        int k = 0;
        while (pattern[k] && text[j + k] && UnicodeFold(pattern[k]) == UnicodeFold(text[j + k]))
            ++k;
        if (!pattern[k]) return j;
    }
    return pattern[0] ? -1 : 0;
}

void BM_UnicodeFindNoCase(benchmark::State& state) {
    const SearchInput input(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (const auto& word : input.words)
            benchmark::DoNotOptimize(UnicodeFindNoCase(word.data(), input.line.data()));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_UnicodeFindNoCase)->ArgName("words")->Arg(100)->Arg(500);

void BM_NaiveFindNoCase(benchmark::State& state) {
    const SearchInput input(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (const auto& word : input.words)
            benchmark::DoNotOptimize(NaiveFindNoCase(word.data(), input.line.data()));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NaiveFindNoCase)->ArgName("words")->Arg(100)->Arg(500);

}  // namespace
