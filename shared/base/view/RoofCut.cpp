// The roof cut-away: when the player stands under something, everything
// at or above the lowest thing over its head is hidden, and every roof
// tile with it; the roof over the cell in front is followed as far as it
// runs at about one height, so that a whole house opens at once.
#include <algorithm>
#include <cstring>

#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/Repaint.h"
#include "view/WorldView.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

constexpr int kNoCut = 127;
constexpr M_DWORD kFlag4 = 0x4;
constexpr M_DWORD kSurface = 0x200;
constexpr M_DWORD kBlendedWhenCut = 0x20000;
constexpr M_DWORD kRoof = 0x10000000;

// The limit before the floor over the player's head is applied.
int g_rawLimit = kNoCut;
M_BYTE g_visited[DrawMapThingie::SIZE][DrawMapThingie::SIZE];

CDrawItem* CellList(int x, int y) {
    return DrawMapThingie::table[y & 63][x & 63];
}

bool IsPlainObject(CDrawItem* item) {
    return !item->IsTerrain() && !item->IsMobile() && item->IsObj();
}

// The lowest roof z over the roof that runs on from (x, y) in steps of at
// most 6 z.
int RoofFloodFill(int limit, int x, int y, int z) {
    M_BYTE& seen = g_visited[y & 63][x & 63];
    if (seen) return limit;
    seen = 1;
    CObj* roof = nullptr;
    for (CDrawItem* item = CellList(x, y); item; item = item->next) {
        if (!IsPlainObject(item)) continue;
        auto* o = static_cast<CObj*>(item);
        if ((o->GetTileFlags() & kRoof) && std::abs(o->z - z) <= 6) {
            roof = o;
            break;
        }
    }
    if (!roof) return limit;
    limit = std::min<int>(limit, roof->z);
    limit = RoofFloodFill(limit, x - 1, y, roof->z);
    limit = RoofFloodFill(limit, x + 1, y, roof->z);
    limit = RoofFloodFill(limit, x, y - 1, roof->z);
    limit = RoofFloodFill(limit, x, y + 1, roof->z);
    return limit;
}

}  // namespace

BOOL DrawManager::IsCellCovered(int x, int y, int z) {
    for (CDrawItem* item = CellList(x, y); item; item = item->next) {
        if (!IsPlainObject(item) || item->IsBigMobComponent() || item->z < z) continue;
        if (!(static_cast<CObj*>(item)->GetTileFlags() & (kRoof | kSurface))) continue;
        if (!IsHidden(item)) return TRUE;
    }
    return FALSE;
}

void DrawManager::UpdateRoofCut() {
    const int oldLimit = roofLimit, oldRaw = g_rawLimit;
    int a = kNoCut;
    g_rawLimit = kNoCut;
    CPlayer* player = pPlayerObject;
    if (!player || !player->inList) {
        roofLimit = a;
        return;
    }
    const int px = player->locX, py = player->locY, pz = player->z;
    // The lowest thing over the player's head in its own cell.
    for (CDrawItem* item = CellList(px, py); item; item = item->next) {
        if (!IsPlainObject(item) || item->z <= pz + 14 || item->z >= a) continue;
        const M_DWORD f = static_cast<CObj*>(item)->GetTileFlags();
        if (f & (kBlendedWhenCut | kFlag4)) continue;
        if ((f & kRoof) && !(f & kSurface)) continue;
        a = item->z;
    }
    int b = a;
    // A roof over the cell in front opens as a whole.
    for (CDrawItem* item = CellList(px + 1, py + 1); item; item = item->next) {
        if (!IsPlainObject(item) || item->z <= pz + 14 || item->z >= a) continue;
        const M_DWORD f = static_cast<CObj*>(item)->GetTileFlags();
        if (!(f & kRoof) || (f & (kSurface | kFlag4))) continue;
        a = b = item->z;
        std::memset(g_visited, 0, sizeof g_visited);
        b = RoofFloodFill(a, item->locX, item->locY, item->z);
    }
    g_rawLimit = b;
    // Objects blended instead of hidden: ask each whether it now stands in
    // front of the player, and repaint those whose answer changed.
    roofLimit = a;
    drawitem::BeginInFrontPass();
    for (CObj* o = CObjectManager::roofList; o; o = o->roofNext) {
        if (!o->inList) continue;
        const BOOL before = drawitem::WasInFront(*o);
        if ((IsHidden(o) != FALSE) == (before != FALSE)) continue;
        const RECT r{o->rect.left - g_viewOffsetX, o->rect.top - g_viewOffsetY,
                     o->rect.right - g_viewOffsetX, o->rect.bottom - g_viewOffsetY};
        DirtyRect(&r);
    }
    drawitem::EndInFrontPass();
    // The cut never comes lower than just over the player's head.
    roofLimit = std::max(b, pz + 16);
    if (roofLimit != oldLimit || g_rawLimit != oldRaw) InvalidateScreen();
}
