// Standing heights: where a walker can stand on a cell, from the surfaces
// of the cell it leaves and of the cell it enters.
//
// A cell's surfaces are its draw items (land and objects, top first) and,
// unless the player may walk through them, the mobiles on it.  Each gives a
// bottom, a top and a height, and flags: bit 0 blocks, bit 1 is a floor one
// can stand on, bit 2 is a stair or bridge one can step onto from below its
// top.  A floor or stair is a candidate when it lies above the previous
// blocker and leaves at least 16 units of room under the next one.
#include <algorithm>
#include <cstdlib>

#include "DebugHooks.h"
#include "ErrorMessage.h"
#include "world/Directions.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/Terrain.h"
#include "world/ViewHooks.h"

namespace {

constexpr int SURF_BLOCKS = 1;
constexpr int SURF_FLOOR = 2;
constexpr int SURF_STAIR = 4;

constexpr M_DWORD TILE_IMPASSABLE = 0x40;
constexpr M_DWORD TILE_SURFACE = 0x200;
constexpr M_DWORD TILE_HALF_HEIGHT = 0x400;
constexpr M_DWORD TILE_WALK_THROUGH = 0x20000000;

// Draw items collected per cell; mobiles and the closing blocker come after
// them, so a full cell of items still leaves room for those.
constexpr int MAX_CELL_ITEMS = 256;
constexpr int MAX_SURFACES = 512;

struct Surface {
    int flags;
    int bottom;
    int top;
    int height;
    CDrawItem* item;
};

struct SurfaceList {
    Surface entries[MAX_SURFACES];
    int count = 0;

    void Add(int flags, int bottom, int top, int height, CDrawItem* item) {
        // The last entry stays free for the closing blocker.
        if (count < MAX_SURFACES - 1) entries[count++] = {flags, bottom, top, height, item};
    }
};

// Land that never counts as a surface: the void tile and the cave and
// water edges among the land art.
bool IsSkippedLand(int tile) {
    return tile == 2 || (tile >= 430 && tile <= 437) || tile == 475;
}

// Graphics a ghost passes through whatever their tile flags say.
bool IsGhostPassable(int graphic) {
    return graphic == 1682 || graphic == 1781 || graphic == 1782 || graphic == 2118 ||
           graphic == 2163;
}

// Mode 1 is a ghost's: it passes movable objects and some doors and webs,
// and other mobiles never block it.
int WalkMode() {
    CPlayer* player = pPlayerObject;
    if (!player) return 0;
    if (player->IsBody402Or403()) return 1;
    return !DebugMode() && player->objectType == 987 ? 1 : 0;
}

void CollectSurfaces(int x, int y, int mode, SurfaceList& out) {
    int items = 0;
    for (CDrawItem* item = world::Draw().GetTopItemAt(x, y); item && items < MAX_CELL_ITEMS;
         item = item->next, ++items) {
        if (item->IsMissile()) continue;
        if (item->IsTerrain()) {
            const int tile = world::Map().GetLandTile(x, y) & 0x7FFF;
            if (IsSkippedLand(tile)) continue;
            const int flags = CObjectManager::TerrainTile(tile).flags & TILE_IMPASSABLE
                                  ? SURF_BLOCKS
                                  : SURF_BLOCKS | SURF_FLOOR | SURF_STAIR;
            const int bottom = item->GetLowZ();
            const int top = item->GetStandZ();
            out.Add(flags, bottom, top, top - bottom, item);
            continue;
        }
        if (!item->IsObj() || item->IsPlayer() || item->IsMobile()) continue;
        auto* obj = static_cast<CObj*>(item);
        const M_DWORD tileFlags = obj->GetTileFlags();
        int flags = 0;
        if (tileFlags & (TILE_IMPASSABLE | TILE_SURFACE)) flags |= SURF_BLOCKS;
        if (!(tileFlags & TILE_IMPASSABLE)) {
            if (tileFlags & TILE_SURFACE) flags |= SURF_FLOOR;
            if (tileFlags & TILE_HALF_HEIGHT) flags |= SURF_STAIR;
        }
        if (mode == 1 &&
            (IsGhostPassable(obj->objectType) || (obj->IsDynamic() && obj->IsMovable()) ||
             (tileFlags & TILE_WALK_THROUGH)))
            flags &= ~SURF_BLOCKS;
        if (!flags) continue;
        out.Add(flags, obj->z, obj->GetStandZ(), obj->GetHeight(), item);
    }

    if (mode != 0) return;
    CPlayer* player = pPlayerObject;
    if (player && player->vitalCurrent[2] == player->vitalMaximum[2]) return;
    for (CMobile* m = CObjectManager::masterMobileList; m; m = m->mobileNext) {
        if (m == player || m->inVoid || m->locX != x || m->locY != y) continue;
        out.Add(SURF_BLOCKS, m->z, m->z + 16, 16, m);
    }
}

}  // namespace

BOOL MoveManager::CalcStandingZ(int x, int y, int z, int direction, int* outZ) {
    const int d = direction & 7;
    const int mode = WalkMode();

    // Where the walker comes from: the height it stands at there, and how
    // high it can reach from it.
    SurfaceList from;
    const int back = d ^ 4;
    CollectSurfaces(x + DIR_DX[back], y + DIR_DY[back], mode, from);
    int startTop = -128;
    int reach = z;
    for (int i = 0; i < from.count; ++i) {
        const Surface& s = from.entries[i];
        if (s.item->IsTerrain()) {
            if (s.top <= z) {
                const int edge = s.item->GetZToward(d);
                startTop = std::max(startTop, edge);
                reach = std::max(reach, edge);
            }
        } else if ((s.flags & SURF_BLOCKS) && s.top <= z) {
            startTop = std::max(startTop, s.top);
        }
        // Land counts here too: a walker standing on a slope starts from the
        // slope's bottom, or a raised edge would hide a lower cell ahead.
        if ((s.flags & SURF_STAIR) && s.top == z) {
            reach = std::max(reach, s.bottom + s.height);
            startTop = std::min(startTop, s.bottom);
        }
    }
    reach += 2;

    // The cell entered, bottom up.  Equal surfaces keep the order in which
    // they were collected, so no result depends on how a sort breaks ties.
    SurfaceList to;
    CollectSurfaces(x, y, mode, to);
    std::stable_sort(to.entries, to.entries + to.count, [](const Surface& a, const Surface& b) {
        return a.bottom != b.bottom ? a.bottom < b.bottom : a.height < b.height;
    });
    to.entries[to.count++] = {SURF_BLOCKS, 128, 128, 128, nullptr};

    const int level = std::max(z, startTop);
    bool found = false;
    int best = 0;
    int bestDistance = 1000000;
    int floor = -128;
    int base = startTop;
    for (int b = 0; b < to.count; ++b) {
        const Surface& blocker = to.entries[b];
        if (!(blocker.flags & SURF_BLOCKS)) continue;
        if (blocker.bottom - base > 15) {
            for (int c = b - 1; c >= 0; --c) {
                const Surface& cand = to.entries[c];
                if (!(cand.flags & (SURF_FLOOR | SURF_STAIR))) continue;
                if (cand.top < floor || blocker.bottom - cand.top < 16) continue;
                const bool reachable = ((cand.flags & SURF_FLOOR) && cand.top <= reach) ||
                                       ((cand.flags & SURF_STAIR) && cand.bottom <= reach);
                if (!reachable) continue;
                const int distance = std::abs(level - cand.top);
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = cand.top;
                    found = true;
                }
            }
        }
        base = std::max(base, blocker.top);
        floor = std::max(floor, blocker.top);
    }
    if (found && outZ) *outZ = best;
    return found ? TRUE : FALSE;
}

int GetZVal(const signed char corners[4], BOOL diagonal, int offset, int direction) {
    const int c0 = corners[0], c1 = corners[1], c2 = corners[2], c3 = corners[3];
    const int base = diagonal ? (c0 + c2) >> 1 : (c1 + c3) >> 1;
    if (direction < 0 || direction > 7) {
        ErrorMessage("Someone tried to call GetZVal with theDir not between 0 and 7", "Bugger",
                     FALSE);
        return base;
    }
    const int edges[8] = {(c0 + c1) >> 1, c1, (c1 + c2) >> 1, c2,
                          (c2 + c3) >> 1, c3, (c3 + c0) >> 1, c0};
    const int edge = edges[direction];
    switch (offset) {
        case 0:
            return base;
        case 1:
            return (edge + base) >> 1;
        case 2:
            return edge;
        default: {
            static bool reported = false;
            if (!reported) {
                reported = true;
                ErrorMessage("Someone tried to call GetZVal with theOffset not between 0 and 2",
                             "Bugger", FALSE);
            }
            return base;
        }
    }
}
