// Item lookups of the data-file cache: the hard-disk path with 5000 version
// patches in the way, and the CD block cache when it hits and when every
// lookup misses and evicts.  Beside them: a plain indexed read of the same
// item bytes and a memcpy of an item's size, the cost of the copy a miss
// makes.
#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchScratch.h"
#include "FileManager.h"
#include "app/App.h"
#include "config/Config.h"
#include "resources/DHDCache.h"
#include "support/datafiles/DataFiles.h"
#include "world/ObjectManager.h"

void CObjectManager::PatchTileDataGroup(int, const M_BYTE*, int) {}

namespace {

using namespace tw::datafiles;

constexpr int kItems = 20000;
constexpr int kItemSize = 64;
constexpr int kPatches = 5000;
// CD items large enough that a one-megabyte cache holds only a few dozen.
constexpr int kBigItems = 64;
constexpr int kBigSize = 40000;

enum class Install { None, HardDisk, CD };
Install s_install = Install::None;

void enterScratchDir() {
    static bool entered = false;
    if (entered) return;
    entered = true;
    tw::bench::EnterScratchDir();
    FileManager::startup();
}

void install(Install kind) {
    if (s_install == kind) return;
    enterScratchDir();
    CDHDCache::reset();
    mkdir("cd", 0755);
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i) {
        WriteBytes(CDHDCache::GetFileName(i), Bytes(196, 1));
        remove((std::string("cd/") + CDHDCache::GetFileName(i)).c_str());
    }
    IndexedPair art;
    for (int i = 0; i < kItems; ++i) art.add(i, Bytes(kItemSize, M_BYTE(i)));
    IndexedPair gumps;
    for (int i = 0; i < kBigItems; ++i) gumps.add(i, Bytes(kBigSize, M_BYTE(i)));
    art.write("artidx.mul", "art.mul");
    if (kind == Install::CD) {
        remove("gumpidx.mul");
        remove("gumpart.mul");
        gumps.write("cd/gumpidx.mul", "cd/gumpart.mul");
        remove("art.mul");
        remove("artidx.mul");
        art.write("cd/artidx.mul", "cd/art.mul");
    }
    VerdataBuilder v;
    for (int p = 0; p < kPatches; ++p) v.add(FN_ART, (p * 7919) % kItems, Bytes(kItemSize, 0xEE));
    WriteBytes("verdata.mul", kind == Install::HardDisk ? v.bytes() : Bytes{0, 0, 0, 0});
    hdConfig = kind == Install::HardDisk ? MaxHD : CDInstall;
    CacheSize = 1;
    snprintf(CdRomDataPath, sizeof CdRomDataPath, "cd/");
    CDHDCache::startup();
    CDHDCache::Init();
    LoadVersionFile();
    s_install = kind;
}

void BM_HardDiskLookupWith5000Patches(benchmark::State& state) {
    install(Install::HardDisk);
    int i = 0;
    for (auto _ : state) {
        int size = 0, extra = 0;
        benchmark::DoNotOptimize(CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, i, &size, &extra));
        i = (i + 13) % kItems;
    }
}
BENCHMARK(BM_HardDiskLookupWith5000Patches);

void BM_IndexedReadBaseline(benchmark::State& state) {
    std::vector<M_BYTE> index(size_t(kItems) * 12);
    std::vector<M_BYTE> data(size_t(kItems) * kItemSize);
    int i = 0;
    for (auto _ : state) {
        std::int32_t offset;
        memcpy(&offset, &index[size_t(i) * 12], 4);
        benchmark::DoNotOptimize(data.data() + offset);
        i = (i + 13) % kItems;
    }
}
BENCHMARK(BM_IndexedReadBaseline);

void BM_CDCacheHit(benchmark::State& state) {
    install(Install::CD);
    int i = 0;
    for (auto _ : state) {
        int size = 0, extra = 0;
        benchmark::DoNotOptimize(CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, i, &size, &extra));
        i = (i + 1) % 64;  // 64 small items stay cached
    }
}
BENCHMARK(BM_CDCacheHit);

void BM_CDCacheMissAndEvict(benchmark::State& state) {
    install(Install::CD);
    int i = 0;
    for (auto _ : state) {
        int size = 0, extra = 0;
        benchmark::DoNotOptimize(CDHDCache::GetCacheItem(FN_GUMPIDX, FN_GUMPART, i, &size, &extra));
        i = (i + 1) % kBigItems;  // more than the cache holds: every lookup misses
    }
}
BENCHMARK(BM_CDCacheMissAndEvict);

void BM_MemcpyOfAMissBaseline(benchmark::State& state) {
    std::vector<M_BYTE> from(kBigSize, 1), to(kBigSize);
    for (auto _ : state) {
        memcpy(to.data(), from.data(), kBigSize);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyOfAMissBaseline);

}  // namespace
