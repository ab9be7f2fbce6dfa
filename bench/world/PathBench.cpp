// Speed of the path search beside the 50 ms frame tick it has to fit in: a
// search in a maze that runs into the expansion bound, and a typical path of
// 30 cells round a wall, each over a plain grid (the search alone) and over
// land cells and wall objects through the walking code's standing heights.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "world/ObjectManager.h"
#include "world/PathManager.h"
#include "world/Terrain.h"

namespace {

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

// The same grid as land cells and wall objects in the draw lists.
constexpr int kWall = 1001;
std::vector<CTerrain*> lands;
void BuildLand() {
    // The land leaves the draw lists before the pools are emptied.
    for (CTerrain* land : lands) land->Release();
    lands.clear();
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
            lands.push_back(land);
            if (grid[y][x] == '#')
                NewStaticObj(kWall)->ToWorld(
                    Coords(static_cast<short>(x), static_cast<short>(y), 0));
        }
}

void BM_PathOnLandHitsExpansionBound(benchmark::State& state) {
    SerpentineMaze();
    BuildLand();
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
    BuildLand();
    for (auto _ : state) {
        PathNode* goal = PathManager::FindPath(2, 5, 0, 30, 5, 0, 500, 0);
        if (!goal) state.SkipWithError("no path");
        benchmark::DoNotOptimize(goal);
        PathManager::FreeNodes();
    }
}
BENCHMARK(BM_PathOnLandTypical30Cells)->Unit(benchmark::kMillisecond);

// The baseline: the frame tick every search shares with drawing.
void BM_FrameTick50ms(benchmark::State& state) {
    for (auto _ : state) state.SetIterationTime(0.050);
}
BENCHMARK(BM_FrameTick50ms)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
