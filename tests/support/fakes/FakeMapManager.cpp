#include "support/fakes/FakeMapManager.h"

#include <algorithm>
#include <cstdlib>

#include "support/TwTest.h"
#include "view/MapManager.h"

namespace tw::fake {

int& MapResetCalls() {
    static int calls = 0;
    return calls;
}

namespace {
bool g_hasPlayer = false;
Coords g_player;

const bool registered = [] {
    tw::test::AddServiceReset([] {
        g_hasPlayer = false;
        MapResetCalls() = 0;
        Map() = FakeMap();
        MapManager::centerX = MapManager::centerY = MapManager::centerZ = 0;
        MapManager::mapNumber = 0;
    });
    return true;
}();
}  // namespace

FakeMap& Map() {
    static FakeMap map;
    return map;
}

void SetPlayerCoords(Coords where) {
    g_hasPlayer = true;
    g_player = where;
}

}  // namespace tw::fake

int GetPlayerCoords(Coords* where) {
    if (!tw::fake::g_hasPlayer) return 0;
    *where = tw::fake::g_player;
    return 1;
}

void MapManager::startup() {}
void MapManager::shutdown() {}

int MapManager::GetDistance(Coords location, int x, int y) {
    if ((location.x >= 5120) != (x >= 5120)) return 9999;
    return std::max(std::abs(location.x - x), std::abs(location.y - y));
}

int MapManager::GetMapWidth() {
    return 6144;
}

void MapManager::Reset() {
    ++tw::fake::MapResetCalls();
}

void MapManager::GetLandCornerZ(int x, int y, signed char corners[4]) {
    auto& all = tw::fake::Map().corners;
    auto it = all.find({x, y});
    for (int i = 0; i < 4; ++i) corners[i] = it == all.end() ? 0 : it->second[i];
}

int MapManager::GetLandTile(int x, int y) {
    auto& all = tw::fake::Map().landTiles;
    auto it = all.find({x, y});
    return it == all.end() ? 0 : it->second;
}

int MapManager::centerX = 0;
int MapManager::centerY = 0;
int MapManager::centerZ = 0;
int MapManager::mapNumber = 0;

void MapManager::SetCenter(int x, int y, int z, int map) {
    tw::fake::Map().centerCalls.push_back("SetCenter " + std::to_string(x) + " " +
                                          std::to_string(y) + " " + std::to_string(z) + " " +
                                          std::to_string(map));
    if (x != -1) {
        centerX = x;
        centerY = y;
        centerZ = z;
    }
    mapNumber = map;
}

void MapManager::ShiftCenter(int dx, int dy, int z) {
    tw::fake::Map().centerCalls.push_back("ShiftCenter " + std::to_string(dx) + " " +
                                          std::to_string(dy) + " " + std::to_string(z));
    centerX += dx;
    centerY += dy;
    centerZ = z;
}

BOOL CompareCornerDiagonals(const signed char corners[4]) {
    return std::abs(corners[0] - corners[2]) <= std::abs(corners[1] - corners[3]);
}

int MapManager::LineOfSight(Coords from, Coords to, int limit) {
    tw::fake::Map().lines.push_back({from, to, limit});
    return tw::fake::Map().lineOfSight;
}
