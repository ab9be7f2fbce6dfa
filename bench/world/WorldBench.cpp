// CObjectManager::FindObject at 200, 2000 and 10000 objects beside a walk
// of the master list (how a look-up by serial would go without the index)
// and std::unordered_map; one UpdateMovement pass over 200 mobiles and
// 3000 items beside memcpy of as many object-sized records.
#include <benchmark/benchmark.h>

#include <cstring>
#include <unordered_map>
#include <vector>

#include "BenchScratch.h"
#include "Service.h"
#include "app/FrameTick.h"
#include "support/doubles/RecordingSound.h"
#include "support/doubles/WorldServices.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace {

// The services log to a file in the working folder: keep it in the scratch
// folder.
const std::string& kScratch = tw::bench::EnterScratchDir();

// The services above the world model, for the whole run (both benchmark
// files): the same doubles the world's tests run with.
const tw::doubles::WorldServices& kServices = *new tw::doubles::WorldServices;

constexpr M_DWORD kItem = 0x40000000;

// A world of n items round a player at (1000, 1000), serials kItem | 1..n.
void MakeWorld(int items, int mobiles) {
    CObjectManager::reset();
    CObjectManager::startup();
    pPlayerObject = new CPlayer(1, 400, 0);
    pPlayerObject->ToWorld(Coords(1000, 1000, 0));
    for (int i = 1; i <= items; ++i)
        CObjectManager::HandleMove(kItem | M_DWORD(i), 100 + i % 50, 0, 1, 990 + i % 20,
                                   990 + (i / 20) % 20, 0, 0, 0, 0);
    for (int i = 0; i < mobiles; ++i)
        CObjectManager::HandleMove(M_DWORD(100 + i), 400, 0, 0, 990 + i % 20, 990 + i / 20 % 20, 0,
                                   0, 0, 0);
}

// A serial of the world, spread over it.
M_DWORD Probe(int i, int n) {
    return kItem | M_DWORD(1 + (i * 7919) % n);
}

void BM_FindObject(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    MakeWorld(n, 0);
    int i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(CObjectManager::FindObject(Probe(i++, n)));
    CObjectManager::reset();
}
BENCHMARK(BM_FindObject)->Arg(200)->Arg(2000)->Arg(10000);

void BM_FindObjectBaselineListWalk(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    MakeWorld(n, 0);
    int i = 0;
    for (auto _ : state) {
        const M_DWORD serial = Probe(i++, n);
        CDynamicObj* found = nullptr;
        for (CDynamicObj* o = CObjectManager::masterDynamicObjectList; o; o = o->masterNext)
            if (o->GetSerial() == serial) {
                found = o;
                break;
            }
        benchmark::DoNotOptimize(found);
    }
    CObjectManager::reset();
}
BENCHMARK(BM_FindObjectBaselineListWalk)->Arg(200)->Arg(2000)->Arg(10000);

void BM_FindObjectBaselineUnorderedMap(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::unordered_map<M_DWORD, int> map;
    for (int k = 1; k <= n; ++k) map[kItem | M_DWORD(k)] = k;
    int i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(map.find(Probe(i++, n)));
}
BENCHMARK(BM_FindObjectBaselineUnorderedMap)->Arg(200)->Arg(2000)->Arg(10000);

void BM_UpdateMovement(benchmark::State& state) {
    // Walking mobiles sound their footsteps.
    tw::doubles::RecordingSound sound;
    tw::ScopedService<SoundService> installed(&sound);
    MakeWorld(3000, 200);
    M_DWORD now = 1000;
    int step = 0;
    for (auto _ : state) {
        // Every mobile gets a step now and then, so some frames slide.
        if (++step % 8 == 0) {
            state.PauseTiming();
            for (int i = 0; i < 200; i += 4)
                CObjectManager::HandleMove(M_DWORD(100 + i), 400, 0, 0, 990 + (i + step) % 20,
                                           990 + i / 20 % 20, 0, 2, 0, 0);
            state.ResumeTiming();
        }
        g_frameTime = now += 50;
        CObjectManager::UpdateMovement();
    }
    CObjectManager::reset();
}
BENCHMARK(BM_UpdateMovement);

void BM_UpdateMovementBaselineMemcpy(benchmark::State& state) {
    const size_t bytes = 3000 * sizeof(CDynamicObj) + 200 * sizeof(CMobile);
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_UpdateMovementBaselineMemcpy);

}  // namespace
