// The height a walking mobile is drawn at while it crosses from one cell to
// the next: the surface it walks on, looked at the point of the step it has
// reached, so that it climbs slopes and stairs smoothly and falls in a line.
#include <algorithm>

#include "resources/GraphicManager.h"
#include "world/Directions.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/ViewHooks.h"

namespace {

constexpr M_DWORD TILE_HALF_HEIGHT = 0x400;

// The point of the step the mobile is drawn at.
struct StepPoint {
    int x;
    int y;
    int z;
    int offset;  // 0 the middle of the cell .. 2 its edge
    int direction;
};

// The walk of a stair rises towards the side its tile flags name.
int StairZ(CObj* stair, int offset, int direction) {
    const int b = stair->z;
    const int h = stair->GetHeight();
    static const int turns[4] = {0, 6, 2, 4};
    const int d = (direction + turns[stair->GetTileFlags() >> 30]) & 7;
    if (offset != 0 && (d == 7 || d == 0 || d == 1)) return offset == 1 ? b + h - (h >> 2) : b + h;
    if (offset != 0 && (d == 3 || d == 4 || d == 5)) return offset == 1 ? b + (h >> 2) : b;
    return b + (h >> 1);
}

// A fall runs in a straight line from s to e over the frames after the
// second; a step too short for that lands at once.
int FallZ(int s, int e, int frame, int duration) {
    if (frame < 2) return s;
    if (duration <= 2 || frame >= duration) return e;
    return s + (frame - 2) * (e - s) / (duration - 2);
}

}  // namespace

int CMobile::CalcDrawZ() {
    StepPoint at{locX, locY, z, 0, direction & 7};
    bool isFalling = false;
    int fallFrom = 0, fallTo = 0, fallFrame = 0, fallDuration = 0;

    if (IsPlayer()) {
        const int c = MoveManager::stepFrame;
        const WalkEntry* entry = MoveManager::queueCount > MoveManager::animIndex
                                     ? &MoveManager::queue[MoveManager::animIndex]
                                     : nullptr;
        if (c > 2 && entry) {
            const int d = entry->direction & 7;
            at = {locX + DIR_DX[d], locY + DIR_DY[d], entry->z, 4 - c, (direction & 7) ^ 4};
        } else {
            at.offset = c;
        }
        if (MoveManager::falling) {
            isFalling = true;
            fallFrom = MoveManager::fallStartZ;
            fallTo = MoveManager::fallEndZ;
            fallFrame = c;
            fallDuration = MoveManager::stepDuration;
        }
    } else if (stepFramesLeft > 0) {
        const int p = stepFramesLeft;
        const int t = MovesPerTile();
        if (p <= t / 2) {
            at.offset = p;
            at.direction = (direction & 7) ^ 4;
        } else {
            at = {prevX, prevY, prevZ, t - p, direction & 7};
        }
        if (dropFlag) {
            isFalling = true;
            fallFrom = z + dropHeight;
            fallTo = z;
            fallFrame = t - p;
            fallDuration = t;
        }
    }
    // Steps longer than four frames would run past the cell's edge.
    at.offset = std::clamp(at.offset, 0, 2);

    CDrawItem* surface = nullptr;
    for (CDrawItem* item = world::Draw().GetTopItemAt(at.x, at.y); item; item = item->next) {
        if (item->IsMobile() || item->IsMissile() || !(item->IsObj() || item->IsTerrain()))
            continue;
        if (item->GetStandZ() == at.z) {
            surface = item;
            break;
        }
    }

    int result = at.z;
    bool stair = false;
    if (surface && surface->IsTerrain()) {
        signed char corners[4];
        world::Map().GetLandCornerZ(at.x, at.y, corners);
        result = GetZVal(corners, world::Map().CompareCornerDiagonals(corners), at.offset,
                         at.direction & 7);
    } else if (surface) {
        auto* obj = static_cast<CObj*>(surface);
        stair = (obj->GetTileFlags() & TILE_HALF_HEIGHT) != 0;
        result = stair ? StairZ(obj, at.offset, at.direction) : obj->GetStandZ();
    }
    if (isFalling && !stair) result = FallZ(fallFrom, fallTo, fallFrame, fallDuration);
    drawZ = result;

    if (IsPlayer()) {
        const int w = GraphicManager::getGameplayWindowPixelWidth();
        const int h = GraphicManager::getGameplayWindowPixelHeight();
        g_viewOffsetX = 22 * (locX - locY + world::Map().GetMapWidth()) - (w / 2 - 1) + slideX;
        g_viewOffsetY = 22 * (locX + locY) - 4 * drawZ - (h / 2 - 23) + slideY;
    }
    return drawZ;
}
