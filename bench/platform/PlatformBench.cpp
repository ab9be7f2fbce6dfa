// The sound mixer (frames per second with all 8 channels busy, beside a
// memcpy of the same bytes) and one present of a 640x480 frame per path
// under Xvfb (beside a memcpy of the frame).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

// Before the X11 headers, whose macros None and Bool break the test headers
// that the Xvfb fixture brings in.
#include "support/Xvfb.h"

#include "FrameBuf.h"
#include "SoundManager.h"
#include "X_FrameBuf.h"
#include "gumps/X11Lock.h"
#include "resources/DHDCache.h"
#include "support/fakes/FakeDHDCache.h"

namespace {

constexpr int kFramesPerFragment = 64;  // one 256-byte fragment of 16-bit stereo

void BM_Mix8Channels(benchmark::State& state) {
    SoundManager::reset();
    SoundManager::startup();
    // Long looping sounds with a little of everything: both pans, loud
    // enough to saturate now and then.
    std::vector<short> samples(22048);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>((i * 2654435761u) >> 16);
    for (int id = 0; id < SoundManager::kChannels; ++id) {
        tw::fake::AddSound(id, samples);
        SoundManager::PlaySound(id, (id - 4) * 600, 0, TRUE);
    }
    std::vector<short> fragment(kFramesPerFragment * 2);
    // The mix buffer size is the device's; without one, mix into our own.
    for (auto _ : state) {
        std::memset(fragment.data(), 0, fragment.size() * sizeof(short));
        for (int ch = 0; ch < SoundManager::kChannels; ++ch) {
            int size = 0, extra = 0;
            const unsigned char* data = CDHDCache::GetCacheItem(7, 8, ch, &size, &extra);
            const_cast<StreamBuf&>(SoundManager::Channel(ch))
                .Mix(fragment.data(), kFramesPerFragment, false, data, size);
        }
        benchmark::DoNotOptimize(fragment.data());
    }
    state.SetItemsProcessed(state.iterations() * kFramesPerFragment);
    SoundManager::reset();
}
BENCHMARK(BM_Mix8Channels);

void BM_MemcpyFragment(benchmark::State& state) {
    std::vector<short> source(kFramesPerFragment * 2 * SoundManager::kChannels, 7);
    std::vector<short> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size() * sizeof(short));
        benchmark::DoNotOptimize(target.data());
    }
    state.SetItemsProcessed(state.iterations() * kFramesPerFragment);
}
BENCHMARK(BM_MemcpyFragment);

// path 0: XPutImage (no MIT-SHM), 1: shared pixmap, 2: XShmPutImage.
void BM_Present(benchmark::State& state) {
    tw::test::XvfbOptions options;
    options.sharedMemory = state.range(0) != 0;
    X_FrameBuf::s_sharedPixmapsAllowed = state.range(0) == 1;
    tw::test::XvfbServer server(options);
    if (!server.ok()) {
        state.SkipWithError(server.error().c_str());
        return;
    }
    std::unique_ptr<X_FrameBuf> frameBuf(static_cast<X_FrameBuf*>(CreateFrameBuf()));
    if (!frameBuf->OpenDisplay(640, 480, 16)) {
        state.SkipWithError("no display");
        return;
    }
    state.SetLabel(!frameBuf->UsesSharedMemory()  ? "XPutImage"
                   : frameBuf->UsesSharedPixmap() ? "XCopyArea from shared pixmap"
                                                  : "XShmPutImage");
    std::memset(frameBuf->GetPixels(), 0x5a, 640 * 480 * 2);
    for (auto _ : state) {
        X11Lock lock;
        frameBuf->PresentWrapped(13, 7);
        XSync(g_xDisplay, False);
    }
    state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
    X_FrameBuf::s_sharedPixmapsAllowed = true;
}
BENCHMARK(BM_Present)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_MemcpyFrame(benchmark::State& state) {
    std::vector<char> source(640 * 480 * 2, 1), target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(source.size()));
}
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
