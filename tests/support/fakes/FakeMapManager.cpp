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
    });
    return true;
}();
}  // namespace

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
