// Mobiles, the player and corpses: where they stand on screen (their
// anchor and foot line), the cell a walking one is filed in, and their
// hiding.  Their bodies are animation frames; until those are drawn, a
// mobile's rectangle is its anchor point, as for a body without a frame,
// and it draws nothing.
#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/ViewGeometry.h"
#include "world/MoveManager.h"

namespace {

int FootLine(const CDrawItem& item, int z) {
    return 22 * item.screenRow - 4 * z + 20;
}

// A rectangle of one point: what has no frame to show.
RECT PointRect(int x, int y) {
    return RECT{x, y, x, y};
}

}  // namespace

namespace drawitem {

void AnchorPoint(CMobile& mobile, int* x, int* y) {
    const int foot = FootLine(mobile, mobile.drawZ);
    if (mobile.IsPlayer()) {
        // The player's draw offsets move it ahead of its cell while it walks.
        *x = mobile.slideX + 22 * mobile.screenColumn + 1;
        *y = foot + mobile.slideY;
    } else {
        *x = 22 * mobile.screenColumn - mobile.slideX + 1;
        *y = foot - mobile.slideY;
    }
}

void StepCell(CMobile& mobile, int* x, int* y) {
    *x = mobile.locX;
    *y = mobile.locY;
    const int direction = mobile.direction & 7;
    if (mobile.IsPlayer()) {
        // While a step is played the player's cell is the one it leaves.
        if (MoveManager::stepFrame == 0) return;
        switch (direction) {
            case 1:
            case 2:
                ++*x;
                break;
            case 3:
                ++*x;
                ++*y;
                break;
            case 4:
            case 5:
                ++*y;
                break;
            default:
                break;
        }
        return;
    }
    // A mobile's cell is the one it walks into.
    if (mobile.stepFramesLeft > 0) StepCellAdjust(direction, x, y);
}

void CalcRect(CMobile& mobile) {
    mobile.footLine = FootLine(mobile, mobile.drawZ);
    int ax, ay;
    AnchorPoint(mobile, &ax, &ay);
    mobile.rect = PointRect(ax, ay);
    mobile.cellShift = 0;
}

void CalcRect(CPlayer& player) {
    CalcRect(static_cast<CMobile&>(player));
}

void CalcRect(CCorpse& corpse) {
    corpse.footLine = FootLine(corpse, corpse.z);
    corpse.rect = PointRect(22 * corpse.screenColumn + 1, corpse.footLine);
    corpse.cellShift = 0;
}

void DrawClip(CMobile&, const RECT&) {}

void DrawClip(CCorpse&, const RECT&) {}

BOOL IsHidden(CMobile& mobile) {
    if (!mobile.inList || mobile.z >= DrawManager::roofLimit) return TRUE;
    if (DrawManager::heightCut) {
        for (CDrawItem* before = mobile.prev; before; before = before->prev)
            if (before->IsTerrain() && before->z > DrawManager::heightCutLimit) return TRUE;
    }
    return FALSE;
}

}  // namespace drawitem
