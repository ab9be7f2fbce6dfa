// The world view's drawing, each beside a memcpy of the frame it fills:
//   - a full repaint of a dense scene (every cell textured land and three
//     statics) at 640 x 480 and 800 x 600, by day and by night;
//   - 64 small dirty rectangles;
//   - the light pass over the whole play area with 0, 10 and 50 lights;
//   - the textured triangle filler, triangles per second;
//   - the dense scene with 50 dressed humans in it, repainted whole;
//   - picking at every pixel of a row across the dense scene (what a mouse
//     moved across the screen costs);
//   - the dense scene repainted whole with the circle of transparency on;
//   - 100 flying effects stepped and repainted each frame (beside the small
//     dirty rectangles);
//   - a rotated blit of a static art beside the plain blit of the same art.
// The goal: a full dense repaint at 640 x 480 in at most 2 ms on one core,
// so that the 50 ms tick keeps more than 95% of its time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "BenchScratch.h"
#include "FileManager.h"
#include "FrameBuf.h"
#include "app/App.h"
#include "app/AppServices.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/WorldGumps.h"
#include "net/WorldMessages.h"
#include "pending/PendingServices.h"
#include "resources/DHDCache.h"
#include "resources/GraphicManager.h"
#include "resources/HueManager.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"
#include "support/datafiles/SampleWorld.h"
#include "view/CircleTrans.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/MapManager.h"
#include "view/Missile.h"
#include "view/Repaint.h"
#include "view/RotatedBlit.h"
#include "view/TexturedTriangle.h"
#include "view/ViewServices.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;

constexpr int kCentre = 32;

// The sample world's art and tiles over a map where every cell is sloped
// textured land under a floor, a crate and a bush.
sample::SampleWorld DenseWorld() {
    sample::SampleWorld w = sample::MakeSampleWorld();
    w.map = tw::datafiles::MapBuilder(sample::kMapBlockColumns, sample::kGrass, 0);
    std::mt19937 rng(7);
    for (int x = 0; x < w.map.width(); ++x)
        for (int y = 0; y < 64; ++y)
            w.map.setCell(x, y, sample::kHill, static_cast<std::int8_t>(rng() % 4));
    for (int x = kCentre - 20; x <= kCentre + 20; ++x)
        for (int y = kCentre - 20; y <= kCentre + 20; ++y) {
            w.map.addStatic({sample::kFloor, x, y, 4, 0});
            w.map.addStatic({sample::kCrate, x, y, 4, static_cast<M_WORD>(x % 3 ? 0 : 33)});
            w.map.addStatic({sample::kBush, x, y, 9, 0});
        }
    return w;
}

// The world started once for the program: the data files, tile data,
// hues, the draw table and the map round the player.
void StartWorld() {
    static bool started = false;
    if (started) return;
    started = true;
    // The services the program installs round the view: the stand-ins of
    // what is not built, the gump framework's and the connection's sides
    // of the world, the application's and the view's own.
    InstallPendingServices();
    static WorldGumps objectGumps;
    tw::Service<ObjectGumps>::Install(&objectGumps);
    static GameConnectionMessages messages;
    tw::Service<WorldMessages>::Install(&messages);
    InstallAppServices();
    InstallViewServices();
    tw::bench::EnterScratchDir();
    sample::WriteSampleWorld(DenseWorld(), ".");
    for (const char* name : {"soundidx.mul", "sound.mul", "gumpidx.mul", "gumpart.mul", "multi.idx",
                             "multi.mul", "skills.idx", "skills.mul"})
        tw::datafiles::WriteBytes(name, tw::datafiles::Bytes(12, 0xFF));
    FileManager::startup();
    hdConfig = MaxHD;
    GraphicManager::startup();
    HueManager::startup();
    CDHDCache::startup();
    CDHDCache::Init();
    CObjectManager::startup();
    DrawManager::ClearTable();
    DrawManager::startup();
    MapManager::startup();
    thelightthingie::startup();
}

std::vector<M_WORD> g_frame;

// A back buffer of the play area's size, the player in the middle of the
// dense scene, the view centred on it.
void Setup(int width, int height, int ambient) {
    StartWorld();
    g_frame.assign(static_cast<size_t>(width) * height, 0);
    g_backBuffer = g_frame.data();
    g_displayWidth = width;
    g_displayHeight = height;
    GraphicManager::setGameplayWindowPixelWidthAndHeight(width, height);
    use565 = FALSE;
    ColoredLighting = FALSE;
    thelightthingie::BuildLightTables();
    thelightthingie::ambientLevel = ambient;
    if (!pPlayerObject) {
        pPlayerObject = new CPlayer(1, 400, 0);
        pPlayerObject->ToWorld(Coords(kCentre, kCentre, 0));
        MapManager::SetCenter(kCentre, kCentre, 0, 0);
    }
    pPlayerObject->RemoveFromDrawList();
    pPlayerObject->CalcDrawZ();
    pPlayerObject->AddToDrawList();
    InvalidateScreen();
    thelightthingie::PaintFrame();
}

void BM_MemcpyFrame(benchmark::State& state) {
    const size_t pixels = static_cast<size_t>(state.range(0)) * state.range(1);
    std::vector<M_WORD> from(pixels, 0x1234), to(pixels);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), pixels * sizeof(M_WORD));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(pixels) * 2);
}
BENCHMARK(BM_MemcpyFrame)->Args({640, 480})->Args({800, 600});

// The whole play area marked and repainted: cleared, drawn and lit.
void BM_FullRepaintDense(benchmark::State& state) {
    Setup(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
          static_cast<int>(state.range(2)));
    for (auto _ : state) {
        InvalidateScreen();
        thelightthingie::PaintFrame();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(g_frame.size()) * 2);
}
BENCHMARK(BM_FullRepaintDense)
    ->Args({640, 480, 0})
    ->Args({640, 480, 20})
    ->Args({800, 600, 0})
    ->Args({800, 600, 20})
    ->Unit(benchmark::kMicrosecond);

// 64 rectangles of 24 x 24 pixels spread over the play area.
void BM_SmallDirtyRects(benchmark::State& state) {
    Setup(640, 480, 20);
    std::mt19937 rng(3);
    std::vector<RECT> rects;
    for (int i = 0; i < 64; ++i) {
        const int x = static_cast<int>(rng() % 616), y = static_cast<int>(rng() % 456);
        rects.push_back(RECT{x, y, x + 24, y + 24});
    }
    for (auto _ : state) {
        for (const RECT& r : rects) DirtyRect(&r);
        thelightthingie::PaintFrame();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_SmallDirtyRects)->Unit(benchmark::kMicrosecond);

// The light pass alone over the whole play area, with lamps placed round
// the player (above the bushes, which would cover their light).
void BM_LightPass(benchmark::State& state) {
    Setup(640, 480, 20);
    const int lights = static_cast<int>(state.range(0));
    std::mt19937 rng(5);
    for (int i = 0; i < lights; ++i)
        CObjectManager::HandleMove(0x40000100 + static_cast<M_DWORD>(i), sample::kLamp, 0, 1,
                                   kCentre - 8 + static_cast<int>(rng() % 17),
                                   kCentre - 8 + static_cast<int>(rng() % 17), 10, 0, 0, 0);
    const RECT all{0, 0, 640, 480};
    thelightthingie::target = WorldTarget{g_frame.data(), 640, 640, 480};
    std::vector<M_WORD> drawn = g_frame;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(g_frame.data(), drawn.data(), g_frame.size() * sizeof(M_WORD));
        state.ResumeTiming();
        thelightthingie::RepaintTilesMono(all);
        benchmark::ClobberMemory();
    }
    for (int i = 0; i < lights; ++i)
        if (CDynamicObj* o = CObjectManager::FindObject(0x40000100 + static_cast<M_DWORD>(i)))
            o->Release();
    thelightthingie::target = WorldTarget{};
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(g_frame.size()) * 2);
}
BENCHMARK(BM_LightPass)->Arg(0)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

// The two triangles of sloped cells, one after the other across a buffer.
void BM_TexturedTriangle(benchmark::State& state) {
    const int size = 64;
    std::vector<M_BYTE> texels(size * size * 2);
    for (size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<M_BYTE>(i * 37);
    std::vector<M_WORD> target(640 * 480);
    thelightthingie::BuildLightTables();
    thelightthingie::target.pitch = 640;
    const RECT clip{0, 0, 640, 480};
    const TriangleCorner corners[4] = {{300, 195, 1}, {324, 222, 2}, {301, 249, 3}, {278, 218, 4}};
    int64_t triangles = 0;
    for (auto _ : state) {
        DrawTexturedTriangle(target.data(), texels.data(), 0, &corners[0], &corners[1], &corners[3],
                             2, 5, 9, &clip);
        DrawTexturedTriangle(target.data(), texels.data(), 0, &corners[1], &corners[2], &corners[3],
                             5, 12, 9, &clip);
        triangles += 2;
        benchmark::ClobberMemory();
    }
    thelightthingie::target = WorldTarget{};
    state.SetItemsProcessed(triangles);
}
BENCHMARK(BM_TexturedTriangle);

// 50 humans, each with hair, a shirt and pants, round the player.
void PlaceHumans() {
    static bool placed = false;
    if (placed) return;
    placed = true;
    std::mt19937 rng(11);
    for (M_DWORD i = 0; i < 50; ++i) {
        const int x = kCentre - 7 + static_cast<int>(rng() % 15);
        const int y = kCentre - 7 + static_cast<int>(rng() % 15);
        CObjectManager::HandleMove(0x100 + i, i % 2 ? sample::kFemaleBody : sample::kMaleBody, 0, 0,
                                   x, y, 4, static_cast<int>(i % 8), 2186, 0);
        auto* m = static_cast<CMobile*>(CObjectManager::FindObject(0x100 + i));
        m->RemoveFromDrawList();
        const M_WORD worn[][2] = {{sample::kHair, 11}, {sample::kShirt, 5}, {sample::kPants, 4}};
        for (M_DWORD k = 0; k < 3; ++k) {
            auto* item = new CItemObj(0x40010000 + 4 * i + k, worn[k][0], 0, TRUE);
            item->hue = static_cast<M_WORD>(k == 1 ? 38 : 0);
            item->ToEquipped(m, worn[k][1]);
        }
        m->AddToDrawList();
    }
}

// The dense scene with the 50 humans, repainted whole (beside
// BM_FullRepaintDense/640/480/0).
void BM_FiftyHumans(benchmark::State& state) {
    Setup(640, 480, 0);
    PlaceHumans();
    for (auto _ : state) {
        InvalidateScreen();
        thelightthingie::PaintFrame();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 50);
}
BENCHMARK(BM_FiftyHumans)->Unit(benchmark::kMicrosecond);

// Picking at each of the 640 pixels of the middle row, humans included.
void BM_PickRow(benchmark::State& state) {
    Setup(640, 480, 0);
    PlaceHumans();
    int64_t found = 0;
    for (auto _ : state) {
        for (int x = 0; x < 640; ++x)
            found += DrawManager::GetItemAtScreenPoint(x, 240, FALSE) != nullptr;
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * 640);
}
BENCHMARK(BM_PickRow)->Unit(benchmark::kMicrosecond);

// The dense scene with the circle of transparency (radius 64 and 100) over
// the statics round the player (beside BM_FullRepaintDense/640/480/0).
void BM_CircleTrans(benchmark::State& state) {
    Setup(640, 480, 0);
    UseCircleTrans = TRUE;
    theCircleTrans.SetRadius(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        InvalidateScreen();
        thelightthingie::PaintFrame();
        benchmark::ClobberMemory();
    }
    UseCircleTrans = FALSE;
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(g_frame.size()) * 2);
}
BENCHMARK(BM_CircleTrans)->Arg(64)->Arg(100)->Unit(benchmark::kMicrosecond);

// 100 effects flying across the dense scene: each frame every effect steps
// (its draw item moves through the draw table) and the frame's dirty
// rectangles are repainted.  An effect that arrives is launched again.
void BM_HundredFlyingEffects(benchmark::State& state) {
    Setup(640, 480, 0);
    std::mt19937 rng(5);
    auto launch = [&] {
        const short x = static_cast<short>(kCentre - 8 + static_cast<int>(rng() % 17));
        const short y = static_cast<short>(kCentre - 8 + static_cast<int>(rng() % 17));
        LaunchMissilePosToPos(
            sample::kCrate, Coords(x, y, 4),
            Coords(static_cast<short>(2 * kCentre - x), static_cast<short>(2 * kCentre - y), 4),
            static_cast<int>(rng() % 4), 0, 0);
    };
    for (int i = 0; i < 100; ++i) launch();
    for (auto _ : state) {
        CGumpManager::Update();
        int flying = 0;
        for (CGump* g = g_gumpList; g; g = g->next) flying += g->IsMissileGump() ? 1 : 0;
        while (flying++ < 100) launch();
        thelightthingie::PaintFrame();
        benchmark::ClobberMemory();
    }
    CGumpManager::CloseAllMissiles();
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_HundredFlyingEffects)->Unit(benchmark::kMicrosecond);

// One static art drawn 100 times into the play area: plainly (the
// run-length blitter), and rotated by 37/256 of a turn (range 0 / 1).
void BM_PlainAndRotatedBlit(benchmark::State& state) {
    Setup(640, 480, 0);
    thelightthingie::target = WorldTarget{g_frame.data(), 640, 640, 480};
    const SkipImage art = GetArtData(sample::kCrate + 0x4000);
    state.counters["pixels"] = art.Width() * art.Height();
    const int w = art.Width(), h = art.Height();
    const RECT clip{0, 0, 640, 480};
    const BlitTarget target = thelightthingie::target.Clipped(clip);
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            const int x = 40 + (i % 10) * 50, y = 40 + (i / 10) * 40;
            if (state.range(0) == 0)
                SkipDrawClipped(CopySpan, art, target, x, y);
            else
                BlitRotatedToView(art, RECT{0, 0, w, h}, x, y, 37, clip);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_PlainAndRotatedBlit)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
