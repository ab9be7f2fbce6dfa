// Stand-in of the map manager (distances, corner heights, land tiles, line
// of sight) and of the player's position.
#pragma once

#include "world/Coords.h"

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tw::fake {
// Where GetPlayerCoords puts the player; no player until set.
void SetPlayerCoords(Coords where);
// How often MapManager::Reset ran.
int& MapResetCalls();

// The map the world model reads: corner heights and land tiles by cell
// (cells not given are flat at 0 with tile 0), and what LineOfSight
// answers, with every line asked for.
struct FakeMap {
    std::map<std::pair<int, int>, std::array<signed char, 4>> corners;
    std::map<std::pair<int, int>, int> landTiles;
    int lineOfSight = 1;
    // SetCenter and ShiftCenter, as "SetCenter x y z map" and
    // "ShiftCenter dx dy z".
    std::vector<std::string> centerCalls;
    struct Line {
        Coords from;
        Coords to;
        int limit;
    };
    std::vector<Line> lines;
};
FakeMap& Map();
}  // namespace tw::fake
