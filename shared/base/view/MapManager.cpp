// Map access: land tiles and heights by cell, distances and lines of sight.
#include "view/MapManager.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "resources/ArtRemap.h"
#include "resources/DHDCache.h"
#include "view/MapBlocks.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

namespace {

bool OnMap(int x, int y) {
    return x >= 0 && y >= 0 && x < MapManager::MAP_WIDTH && y < MapManager::MAP_HEIGHT;
}

// The cell from the map file; an empty cell where the file has none.
LandCell CellAt(int x, int y) {
    LandCell cell;
    const int block = (x >> 3) * MapManager::BLOCKS_PER_COLUMN + (y >> 3);
    ReadLandCell(CDHDCache::GetItemData(FN_MAP0, block), MAP_BLOCK_SIZE, x & 7, y & 7, &cell);
    return cell;
}

int Wrap(int v, int size) {
    v %= size;
    return v < 0 ? v + size : v;
}

}  // namespace

int MapManager::GetLandTile(int x, int y) {
    if (!OnMap(x, y)) return OUTSIDE_LAND_TILE;
    return RemapArtIdByVariant(CellAt(x, y).tile);
}

void MapManager::GetLandCornerZ(int x, int y, signed char corners[4]) {
    if (!OnMap(x, y)) {
        std::fill(corners, corners + 4, static_cast<signed char>(0));
        return;
    }
    const int x1 = Wrap(x + 1, MAP_WIDTH), y1 = Wrap(y + 1, MAP_HEIGHT);
    corners[0] = CellAt(x, y).z;
    corners[1] = CellAt(x1, y).z;
    corners[2] = CellAt(x1, y1).z;
    corners[3] = CellAt(x, y1).z;
}

int MapManager::GetDistance(Coords location, int x, int y) {
    const bool apart = location.x >= WRAP_WIDTH;
    if (apart != (x >= WRAP_WIDTH)) return 9999;
    int dx = std::abs(location.x - x);
    int dy = std::abs(location.y - y);
    if (!apart) {
        if (WRAP_WIDTH - dx < dx) dx = WRAP_WIDTH - dx;
        if (WRAP_HEIGHT - dy < dy) dy = WRAP_HEIGHT - dy;
    }
    return std::max(dx, dy);
}

int MapManager::GetDistance(Coords a, Coords b) {
    return GetDistance(a, b.x, b.y);
}

int MapManager::GetMapWidth() {
    return MAP_WIDTH;
}

int MapManager::LineOfSight(Coords from, Coords to, int flagMask) {
    if (from.x == to.x && from.y == to.y && from.z == to.z) return 1;
    const std::int64_t dx = to.x - from.x, dy = to.y - from.y, dz = to.z - from.z;
    const std::int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) return 1;
    // 16.16 fixed point, in 64 bits so that no distance overflows it.
    const std::int64_t sx = (dx << 16) / n, sy = (dy << 16) / n, sz = (dz << 16) / n;
    std::int64_t x = static_cast<std::int64_t>(from.x) << 16;
    std::int64_t y = static_cast<std::int64_t>(from.y) << 16;
    std::int64_t z = static_cast<std::int64_t>(from.z) << 16;
    for (std::int64_t i = 1; i < n; ++i) {
        x += sx;
        y += sy;
        z += sz;
        const Coords cell(static_cast<short>(x >> 16), static_cast<short>(y >> 16), 0);
        CObj* blocker = CObjectManager::FindObjectAt(cell, static_cast<int>(z >> 16));
        if (blocker && (blocker->GetTileFlags() & static_cast<M_DWORD>(flagMask))) return 0;
    }
    return 1;
}

BOOL CompareCornerDiagonals(const signed char corners[4]) {
    return std::abs(corners[0] - corners[2]) <= std::abs(corners[1] - corners[3]);
}
