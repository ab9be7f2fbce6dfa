// The drawing walk: a play-area rectangle is drawn by visiting the cells of
// the draw table in one fixed back-to-front order and drawing, bottom to
// top, every listed item whose screen rectangle meets it.  Each class's
// rectangle, drawing and hiding are picked through the item's Accept.
#include <algorithm>
#include <cstring>

#include "resources/SkipDraw.h"
#include "view/BigMobComponent.h"
#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/Missile.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"

namespace {

constexpr int kCells = DrawMapThingie::SIZE * DrawMapThingie::SIZE;
M_WORD s_cellOrder[kCells];

class RectCalculator final : public DrawItemVisitorBase {
public:
    using DrawItemVisitorBase::Visit;
    void Visit(CTerrain& cell) override { drawitem::CalcRect(cell); }
    void Visit(CTexTerr& cell) override { drawitem::CalcRect(cell); }
    void Visit(CObj& object) override { drawitem::CalcRect(object); }
    void Visit(CCorpse& corpse) override { drawitem::CalcRect(corpse); }
    void Visit(CMobile& mobile) override { drawitem::CalcRect(mobile); }
    void Visit(CPlayer& player) override { drawitem::CalcRect(player); }
    // A slice's rectangle is fixed when it is made.
    void Visit(CBigMobComponent&) override {}
    void Visit(CMissileDrawItem& effect) override { effect.CalcRect(); }
};

class Drawer final : public DrawItemVisitorBase {
public:
    explicit Drawer(const RECT& clip) : clip_(clip) {}
    using DrawItemVisitorBase::Visit;
    void Visit(CTerrain& cell) override { drawitem::DrawClip(cell, clip_); }
    void Visit(CTexTerr& cell) override { drawitem::DrawClip(cell, clip_); }
    void Visit(CObj& object) override { drawitem::DrawClip(object, clip_); }
    void Visit(CMultiTargetObj& part) override { drawitem::DrawClip(part, clip_); }
    void Visit(CCorpse& corpse) override { drawitem::DrawClip(corpse, clip_); }
    void Visit(CMobile& mobile) override { drawitem::DrawClip(mobile, clip_); }
    void Visit(CBigMobComponent& slice) override { slice.DrawClip(clip_); }
    void Visit(CMissileDrawItem& effect) override { effect.DrawClip(clip_); }

private:
    const RECT& clip_;
};

class HideTest final : public DrawItemVisitorBase {
public:
    using DrawItemVisitorBase::Visit;
    void Visit(CDrawItem& item) override { hidden = !item.inList; }
    void Visit(CTerrain& cell) override { hidden = drawitem::IsHidden(cell); }
    void Visit(CTexTerr& cell) override { hidden = drawitem::IsHidden(cell); }
    void Visit(CObj& object) override { hidden = drawitem::IsHidden(object); }
    void Visit(CMobile& mobile) override { hidden = drawitem::IsHidden(mobile); }
    // The player is never cut away.
    void Visit(CPlayer& player) override { hidden = !player.inList; }
    void Visit(CBigMobComponent& slice) override { hidden = slice.IsHidden(); }

    BOOL hidden = TRUE;
};

class AnchorFinder final : public DrawItemVisitorBase {
public:
    using DrawItemVisitorBase::Visit;
    void Visit(CDrawItem& item) override {
        const RECT& r = item.rect;
        x = r.left + ((r.right - r.left) >> 1);
        y = r.top + ((r.bottom - r.top) >> 1);
    }
    void Visit(CMobile& mobile) override { drawitem::AnchorPoint(mobile, &x, &y); }

    int x = 0, y = 0;
};

// Draws an object that is hidden but whose graphic is blended instead of
// hidden: its translucent bit is on for the draw and put back after it.
void DrawBlendedInstead(CDrawItem* item, const RECT& clip) {
    if (!item->IsObj()) return;
    auto* object = static_cast<CObj*>(item);
    const int own = object->objectType, tile = object->TileIndex();
    if (!(CObjectManager::ItemTile(own).flags & 0x20000)) return;
    if (!CObjectManager::itemTiles || tile < 0 || tile >= CObjectManager::itemTileCount) return;
    M_DWORD& flags = CObjectManager::itemTiles[tile].flags;
    const M_DWORD saved = flags;
    flags |= 0x8;
    DrawManager::DrawClip(item, clip);
    flags = saved;
}

}  // namespace

const M_WORD* DrawManager::cellOrder = s_cellOrder;
int DrawManager::cellOrderCount = 0;

void DrawManager::BuildCellOrder() {
    int n = 0;
    for (int sum = 0; sum <= 2 * (DrawMapThingie::SIZE - 1); ++sum)
        for (int dx = 0; dx < DrawMapThingie::SIZE; ++dx) {
            const int dy = sum - dx;
            if (dy < 0 || dy >= DrawMapThingie::SIZE) continue;
            if (dx - dy < -29 || dx - dy > 29 || sum < 31 || sum > 97) continue;
            s_cellOrder[n++] = static_cast<M_WORD>(dy << 6 | dx);
        }
    cellOrderCount = n;
}

namespace {
// Built once, before anything is drawn.
const bool cellOrderBuilt = [] {
    DrawManager::BuildCellOrder();
    return true;
}();
}  // namespace

void DrawManager::CalcRect(CDrawItem* item) {
    RectCalculator calc;
    item->Accept(calc);
}

void DrawManager::DrawClip(CDrawItem* item, const RECT& clip) {
    Drawer drawer(clip);
    item->Accept(drawer);
}

void DrawManager::GetAnchorPoint(CDrawItem* item, int* x, int* y) {
    AnchorFinder finder;
    item->Accept(finder);
    *x = finder.x;
    *y = finder.y;
}

BOOL DrawManager::IsHidden(CDrawItem* item) {
    HideTest test;
    item->Accept(test);
    return test.hidden;
}

void DrawManager::DrawWorldRect(const RECT& area) {
    WorldTarget& t = thelightthingie::target;
    if (!t.origin) return;
    RECT rect = area;
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, t.width);
    rect.bottom = std::min(rect.bottom, t.height);
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;

    // The rectangle starts black, height cut or not: where no land covers
    // it (between land cells of different heights) a repaint must not keep
    // what was drawn there before.
    for (int y = rect.top; y < rect.bottom; ++y)
        std::memset(t.origin + (static_cast<long>(y) * t.pitch + rect.left), 0,
                    static_cast<size_t>(rect.right - rect.left) * sizeof(M_WORD));

    const RECT world{rect.left + g_viewOffsetX, rect.top + g_viewOffsetY,
                     rect.right + g_viewOffsetX, rect.bottom + g_viewOffsetY};
    for (int i = 0; i < cellOrderCount; ++i) {
        const int entry = cellOrder[i];
        const int cx = ((entry & 63) + ringBaseX) & 63;
        const int cy = ((entry >> 6) + ringBaseY) & 63;
        for (CDrawItem* item = DrawMapThingie::table[cy][cx]; item; item = item->next) {
            const RECT& r = item->rect;
            if (r.top > world.bottom || r.bottom < world.top || r.left > world.right ||
                r.right < world.left)
                continue;
            if (!IsHidden(item))
                DrawClip(item, rect);
            else
                DrawBlendedInstead(item, rect);
        }
    }
}
