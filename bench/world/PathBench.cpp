// Speed of the path search beside the 50 ms frame tick it has to fit in: a
// search in a maze that runs into the expansion bound, and a typical path of
// 30 cells round a wall, each over a plain grid (the search alone) and over
// land cells and wall objects through the walking code's standing heights.
// The column tick_share is the time of one search as a share of the tick.
#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <vector>

#include "BenchScratch.h"
#include "world/ObjectManager.h"
#include "world/PathManager.h"
#include "world/Terrain.h"

namespace {

// The services log to a file in the working folder: keep it in the scratch
// folder.
const std::string& kScratch = tw::bench::EnterScratchDir();

double ThreadCpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Measures the CPU time of the benchmark's loop and reports one search's
// share of the 50 ms tick.
class TickShare {
public:
    explicit TickShare(benchmark::State& state) : state_(state), start_(ThreadCpuSeconds()) {}
    ~TickShare() {
        if (state_.iterations() > 0)
            state_.counters["tick_share"] =
                (ThreadCpuSeconds() - start_) / static_cast<double>(state_.iterations()) / 0.050;
    }
    TickShare(const TickShare&) = delete;
    TickShare& operator=(const TickShare&) = delete;

private:
    benchmark::State& state_;
    double start_;
};

std::vector<std::string> grid;

BOOL GridStand(int x, int y, int, int, int* standZ) {
    if (y < 0 || y >= int(grid.size()) || x < 0 || x >= int(grid[y].size())) return FALSE;
    if (grid[y][x] == '#') return FALSE;
    *standZ = 0;
    return TRUE;
}

// Corridors joined at alternate ends: far more cells than the bound allows.
void SerpentineMaze() {
    grid.clear();
    for (int c = 0; c < 120; ++c) {
        grid.push_back(std::string(60, '.'));
        std::string wall(60, '#');
        wall[c % 2 == 0 ? 59 : 0] = '.';
        grid.push_back(wall);
    }
}

// An open field with a wall to go round.
void FieldWithWall() {
    grid.assign(40, std::string(40, '.'));
    for (int y = 0; y < 13; ++y) grid[y][15] = '#';
}

void BM_PathHitsExpansionBound(benchmark::State& state) {
    SerpentineMaze();
    PathManager::standingTest = &GridStand;
    TickShare share(state);
    for (auto _ : state) {
        PathNode* goal = PathManager::FindPath(0, 0, 0, 0, int(grid.size()) - 2, 0, 100000, 0);
        benchmark::DoNotOptimize(goal);
        if (goal) state.SkipWithError("the maze was solved");
        PathManager::FreeNodes();
    }
}
BENCHMARK(BM_PathHitsExpansionBound)->Unit(benchmark::kMillisecond);

void BM_PathTypical30Cells(benchmark::State& state) {
    FieldWithWall();
    PathManager::standingTest = &GridStand;
    int length = 0;
    TickShare share(state);
    for (auto _ : state) {
        PathNode* goal = PathManager::FindPath(2, 5, 0, 30, 5, 0, 500, 0);
        length = 0;
        for (PathNode* n = goal; n && n->parent; n = n->parent) ++length;
        benchmark::DoNotOptimize(goal);
        PathManager::FreeNodes();
    }
    state.counters["steps"] = length;
}
BENCHMARK(BM_PathTypical30Cells)->Unit(benchmark::kMillisecond);

// The same grid as land cells and wall objects in the draw lists, for one
// benchmark: the object manager's reset frees them, so nothing of it may
// outlive the benchmark that built it.
constexpr int kWall = 1001;
class LandWorld {
public:
    LandWorld() {
        CObjectManager::reset();
        CObjectManager::startup();
        CObjectManager::itemTiles[kWall].flags = 0x40;
        CObjectManager::itemTiles[kWall].height = 20;
        PathManager::reset();
        for (int y = 0; y < int(grid.size()); ++y)
            for (int x = 0; x < int(grid[y].size()); ++x) {
                CTerrain* land = NewTerrain(0, nullptr);
                land->locX = static_cast<short>(x);
                land->locY = static_cast<short>(y);
                land->AddToDrawList();
                lands_.push_back(land);
                if (grid[y][x] == '#')
                    NewStaticObj(kWall)->ToWorld(
                        Coords(static_cast<short>(x), static_cast<short>(y), 0));
            }
    }
    ~LandWorld() {
        // The land leaves the draw lists before the pools are emptied.
        for (CTerrain* land : lands_) land->Release();
        CObjectManager::reset();
        PathManager::reset();
    }
    LandWorld(const LandWorld&) = delete;
    LandWorld& operator=(const LandWorld&) = delete;

private:
    std::vector<CTerrain*> lands_;
};

void BM_PathOnLandHitsExpansionBound(benchmark::State& state) {
    SerpentineMaze();
    LandWorld world;
    TickShare share(state);
    for (auto _ : state) {
        PathNode* goal = PathManager::FindPath(0, 0, 0, 0, int(grid.size()) - 2, 0, 100000, 0);
        benchmark::DoNotOptimize(goal);
        if (goal) state.SkipWithError("the maze was solved");
        PathManager::FreeNodes();
    }
}
BENCHMARK(BM_PathOnLandHitsExpansionBound)->Unit(benchmark::kMillisecond);

void BM_PathOnLandTypical30Cells(benchmark::State& state) {
    FieldWithWall();
    LandWorld world;
    TickShare share(state);
    for (auto _ : state) {
        PathNode* goal = PathManager::FindPath(2, 5, 0, 30, 5, 0, 500, 0);
        if (!goal) state.SkipWithError("no path");
        benchmark::DoNotOptimize(goal);
        PathManager::FreeNodes();
    }
}
BENCHMARK(BM_PathOnLandTypical30Cells)->Unit(benchmark::kMillisecond);

}  // namespace
