#include <algorithm>
#include <cstdlib>

#include "pending/Pending.h"
#include "view/MapManager.h"

void MapManager::startup() {
    TW_PENDING("MapManager::startup");
}
void MapManager::shutdown() {
    TW_PENDING("MapManager::shutdown");
}

int MapManager::GetDistance(Coords location, int x, int y) {
    TW_PENDING("MapManager::GetDistance");
    if ((location.x >= 5120) != (x >= 5120)) return 9999;
    return std::max(std::abs(location.x - x), std::abs(location.y - y));
}

int MapManager::GetMapWidth() {
    TW_PENDING("MapManager::GetMapWidth");
    return 6144;
}

void MapManager::Reset() {
    TW_PENDING("MapManager::Reset");
}

void MapManager::GetLandCornerZ(int, int, signed char corners[4]) {
    TW_PENDING("MapManager::GetLandCornerZ");
    for (int i = 0; i < 4; ++i) corners[i] = 0;
}

int MapManager::GetLandTile(int, int) {
    TW_PENDING("MapManager::GetLandTile");
    return 0;
}

int MapManager::centerX = 0;
int MapManager::centerY = 0;
int MapManager::centerZ = 0;
int MapManager::mapNumber = 0;

// Without the map view only the centre is kept.
void MapManager::SetCenter(int x, int y, int z, int map) {
    TW_PENDING("MapManager::SetCenter");
    if (x != -1) {
        centerX = x;
        centerY = y;
        centerZ = z;
    }
    mapNumber = map;
}

void MapManager::ShiftCenter(int dx, int dy, int z) {
    TW_PENDING("MapManager::ShiftCenter");
    centerX += dx;
    centerY += dy;
    centerZ = z;
}

BOOL CompareCornerDiagonals(const signed char corners[4]) {
    TW_PENDING("CompareCornerDiagonals");
    return std::abs(corners[0] - corners[2]) <= std::abs(corners[1] - corners[3]);
}

int MapManager::LineOfSight(Coords, Coords, int) {
    TW_PENDING("MapManager::LineOfSight");
    return 1;
}
