// The sound mixer beside real time (frames of sound mixed per second of CPU
// with all 8 channels busy, and that over the output rate: realtime_factor),
// and one present of a 640x480 frame per path under Xvfb beside a memcpy of
// the frame, both timed by the wall clock (a present waits for the server).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

// The test support pulls in GoogleTest, whose names Xlib's macros would
// clobber: it comes before any X header.
#include "support/Xvfb.h"

#include "BenchScratch.h"
#include "FileManager.h"
#include "FrameBuf.h"
#include "OssSound.h"
#include "PlatformServices.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "config/Config.h"
#include "pending/PendingServices.h"
#include "resources/DHDCache.h"
#include "support/datafiles/DataFiles.h"

namespace {

// The services log to a file in the working folder: keep it in the scratch
// folder.
const std::string& kScratch = tw::bench::EnterScratchDir();

// The services not built yet: the program's stand-ins.
const bool kServices = (InstallPendingServices(), true);

constexpr int kFramesPerFragment = 64;  // one 256-byte fragment of 16-bit stereo

double ThreadCpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The data-file cache over a maximum install whose sound pair holds the
// given sounds, ids 0 on.
void StartSoundCache(const std::vector<std::vector<std::int16_t>>& sounds) {
    using namespace tw::datafiles;
    CDHDCache::reset();
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
        WriteBytes(CDHDCache::GetFileName(i), Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
    IndexedPair pair;
    for (size_t id = 0; id < sounds.size(); ++id)
        pair.add(static_cast<int>(id), EncodeSound("", sounds[id]));
    pair.write("soundidx.mul", "sound.mul");
    hdConfig = MaxHD;
    CacheSize = 1;
    FileManager::startup();
    CDHDCache::startup();
    CDHDCache::Init();
}

void BM_Mix8Channels(benchmark::State& state) {
    OssSound::reset();
    OssSound::startup();
    // Long looping sounds with a little of everything: both pans, loud
    // enough to saturate now and then.
    std::vector<std::int16_t> samples(22048);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>((i * 2654435761u) >> 16);
    StartSoundCache(std::vector<std::vector<std::int16_t>>(OssSound::kChannels, samples));
    for (int id = 0; id < OssSound::kChannels; ++id)
        OssSound::PlaySound(id, (id - 4) * 600, 0, TRUE);
    std::vector<short> fragment(kFramesPerFragment * 2);
    // The mix buffer size is the device's; without one, mix into our own.
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        std::memset(fragment.data(), 0, fragment.size() * sizeof(short));
        for (int ch = 0; ch < OssSound::kChannels; ++ch) {
            int size = 0, extra = 0;
            const unsigned char* data = CDHDCache::GetCacheItem(7, 8, ch, &size, &extra);
            const_cast<StreamBuf&>(OssSound::Channel(ch))
                .Mix(fragment.data(), kFramesPerFragment, false, data, size);
        }
        benchmark::DoNotOptimize(fragment.data());
    }
    const double cpu = ThreadCpuSeconds() - start;
    state.SetItemsProcessed(state.iterations() * kFramesPerFragment);
    // Seconds of sound made per second of CPU: at 1 the mixer would take the
    // whole processor to keep up with the device.
    if (cpu > 0)
        state.counters["realtime_factor"] =
            static_cast<double>(state.iterations()) * kFramesPerFragment / OssSound::kRate / cpu;
    OssSound::reset();
    CDHDCache::reset();
}
BENCHMARK(BM_Mix8Channels);

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
BENCHMARK(BM_Present)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_MemcpyFrame(benchmark::State& state) {
    std::vector<char> source(640 * 480 * 2, 1), target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(source.size()));
}
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
