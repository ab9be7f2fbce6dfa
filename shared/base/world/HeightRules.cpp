// The height rules of the draw items that walking reads: the top of an
// object, and the heights of a textured land cell from its four corners.
#include <algorithm>

#include "world/Obj.h"
#include "world/Terrain.h"
#include "world/ViewHooks.h"

namespace {

constexpr M_DWORD TILE_HALF_HEIGHT = 0x400;

void CornersOf(const CDrawItem* cell, signed char corners[4]) {
    world::Map().GetLandCornerZ(cell->locX, cell->locY, corners);
}

}  // namespace

int CObj::GetStandZ() {
    const int height = GetHeight();
    return z + (GetTileFlags() & TILE_HALF_HEIGHT ? height / 2 : height);
}

int CTexTerr::GetStandZ() {
    signed char c[4];
    CornersOf(this, c);
    return world::Map().CompareCornerDiagonals(c) ? (c[0] + c[2]) >> 1 : (c[1] + c[3]) >> 1;
}

int CTexTerr::GetLowZ() {
    signed char c[4];
    CornersOf(this, c);
    return std::min(std::min(c[0], c[1]), std::min(c[2], c[3]));
}

int CTexTerr::GetZToward(int direction) {
    signed char c[4];
    CornersOf(this, c);
    const int d = direction & 7;
    const int corner = c[((d >> 1) + 1) & 3];
    if (d & 1) return corner;
    return (corner + c[d >> 1]) >> 1;
}
