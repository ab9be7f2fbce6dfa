// Picking: the draw item under a point of the play area, found by walking
// the cell order backwards so that what is drawn last is found first, and
// testing the pixels each item really shows.
#include <cstdint>
#include <cstdlib>

#include "config/Config.h"
#include "view/CircleTrans.h"
#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

constexpr int kSeesHiddenBody = 987;

// The land diamond inside a cell's 44 x 44 rectangle.
bool InDiamond(int dx, int dy) {
    return static_cast<unsigned>(dx + dy - 21) <= 44u && static_cast<unsigned>(dy - dx + 22) <= 44u;
}

// Calls f with each item of the cell order, last drawn first, until f
// answers TRUE; returns that item or null.
template <typename F>
CDrawItem* FindBackwards(F&& f) {
    for (int i = DrawManager::cellOrderCount - 1; i >= 0; --i) {
        const int entry = DrawManager::cellOrder[i];
        const int cx = ((entry & 63) + DrawManager::ringBaseX) & 63;
        const int cy = ((entry >> 6) + DrawManager::ringBaseY) & 63;
        CDrawItem* tail = DrawMapThingie::table[cy][cx];
        while (tail && tail->next) tail = tail->next;
        for (CDrawItem* item = tail; item; item = item->prev)
            if (f(item)) return item;
    }
    return nullptr;
}

// The pixel test of each class at a world point.
class HitVisitor final : public DrawItemVisitorBase {
public:
    HitVisitor(int wx, int wy, BOOL skipTerrain) : wx_(wx), wy_(wy), skipTerrain_(skipTerrain) {}
    using DrawItemVisitorBase::Visit;

    void Visit(CDrawItem&) override { hit = false; }
    void Visit(CTerrain& cell) override { Land(cell); }
    void Visit(CTexTerr& cell) override { Land(cell); }
    void Visit(CObj& object) override {
        if (!Pickable(object)) return;
        // Clicks go through what the circle shows through.
        if (UseCircleTrans && theCircleTrans.IsSeeThrough(&object)) return;
        const int graphic = object.objectType;
        if (graphic == 1 || (graphic >= 8600 && graphic <= 8610)) return;
        const int dx = static_cast<std::int16_t>(wx_ - object.rect.left);
        const int dy = static_cast<std::int16_t>(wy_ - object.rect.top);
        const SkipImage art = drawitem::ArtOf(object);
        if (!art) {
            hit = InDiamond(dx, dy);
            return;
        }
        hit = GetArtPixel(art, dx, dy) != 0 ||
              (object.IsDrawnDoubled() && GetArtPixel(art, dx - 5, dy - 5) != 0);
    }
    void Visit(CCorpse& corpse) override {
        if (Pickable(corpse)) hit = drawitem::HitTest(corpse, wx_, wy_) != FALSE;
    }
    void Visit(CMobile& mobile) override {
        if (Pickable(mobile)) hit = drawitem::HitTest(mobile, wx_, wy_) != FALSE;
    }

    bool hit = false;

private:
    void Land(CDrawItem& cell) {
        if (skipTerrain_) return;
        if (DrawManager::heightCut && cell.z > DrawManager::heightCutLimit) return;
        hit = InDiamond(wx_ - cell.rect.left, wy_ - cell.rect.top);
    }
    // Objects hidden from all but one body are not picked by the others.
    static bool Pickable(CObj& object) {
        if (object.IsDynamic() && !object.IsPlayer() &&
            (static_cast<CDynamicObj&>(object).statusFlags & 0x80))
            return pPlayerObject && pPlayerObject->objectType == kSeesHiddenBody;
        return true;
    }

    int wx_, wy_;
    BOOL skipTerrain_;
};

}  // namespace

CDrawItem* DrawManager::GetItemAtScreenPoint(int x, int y, BOOL skipTerrain) {
    const int wx = x + g_viewOffsetX, wy = y + g_viewOffsetY;
    return FindBackwards([&](CDrawItem* item) {
        const RECT& r = item->rect;
        if (wx < r.left || wx >= r.right || wy < r.top || wy >= r.bottom) return false;
        if (IsHidden(item) || item->IsBigMobComponent()) return false;
        HitVisitor test(wx, wy, skipTerrain);
        item->Accept(test);
        return test.hit;
    });
}

CDrawItem* DrawManager::GetTerrainAtScreenPoint(int x, int y) {
    const int wx = x + g_viewOffsetX, wy = y + g_viewOffsetY;
    CDrawItem* best = nullptr;
    int bestDistance = 9999;
    for (int i = cellOrderCount - 1; i >= 0; --i) {
        const int entry = cellOrder[i];
        const int cx = ((entry & 63) + ringBaseX) & 63;
        const int cy = ((entry >> 6) + ringBaseY) & 63;
        for (CDrawItem* item = DrawMapThingie::table[cy][cx]; item; item = item->next) {
            if (!item->IsTerrain()) continue;
            const RECT& r = item->rect;
            if (wx < r.left || wx >= r.right || wy < r.top || wy >= r.bottom) continue;
            // Halves by arithmetic shift, toward minus infinity.
            const int d =
                std::abs(wx - ((r.left + r.right) >> 1)) + std::abs(wy - ((r.top + r.bottom) >> 1));
            if (d < bestDistance) {
                bestDistance = d;
                best = item;
            }
        }
    }
    return best;
}
