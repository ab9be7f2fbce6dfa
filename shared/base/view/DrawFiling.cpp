// Filing draw items into the sorted lists of their cells, and taking them
// out again.
//
// A cell's list is sorted by drawKey, so that walking it from the head draws
// its items bottom to top.  Within one key, land goes before everything
// else (the terrain tie-break); corpses and mobiles go after every item of
// their key.  The cell an item is filed in is a function of its fields
// (cell, cell shift, and for a walking mobile its direction), so callers
// change those only while the item is out of its list.
#include <algorithm>

#include "TWReport.h"
#include "strings/AssertFail.h"
#include "view/BigMobComponent.h"
#include "view/DrawItemOps.h"
#include "view/DrawManager.h"
#include "view/LightPass.h"
#include "view/MapManager.h"
#include "view/Repaint.h"
#include "view/ViewGeometry.h"
#include "view/WorldView.h"

namespace {

constexpr int kMask = DrawMapThingie::SIZE - 1;
// The art of a creature comes from a data file: however tall it claims to
// be, it gets no more slices than this.
constexpr int kMaxSlices = 24;

CDrawItem*& Head(int x, int y) {
    return DrawMapThingie::table[y & kMask][x & kMask];
}

// Links the item into the cell's list after every item whose key is not
// larger; with the tie-break, land goes before the non-land items of its
// own key.
void Insert(CDrawItem* item, int x, int y, bool tieBreak) {
    CDrawItem*& head = Head(x, y);
    const bool land = tieBreak && item->IsTerrain();
    CDrawItem* last = nullptr;
    for (CDrawItem* it = head; it; last = it, it = it->next) {
        if (it->drawKey > item->drawKey) break;
        if (land && it->drawKey == item->drawKey && !it->IsTerrain()) break;
    }
    item->prev = last;
    item->next = last ? last->next : head;
    if (item->next) item->next->prev = item;
    if (last)
        last->next = item;
    else
        head = item;
}

void SetScreenPosition(CDrawItem* item) {
    item->screenRow = item->locX + item->locY;
    item->screenColumn = item->locX - item->locY + MapManager::GetMapWidth();
}

// The end of every filing: listed, measured, and its area repainted, with
// the light of a lamp it now covers.
void Finish(CDrawItem* item) {
    item->inList = TRUE;
    DrawManager::CalcRect(item);
    if (!DrawManager::IsHidden(item)) DrawManager::Invalidate(item);
    InvalidateLightsCoveredBy(item);
}

// Steps 1 of filing: an item already listed is taken out through its own
// removal first, and must then be out.
void TakeOutFirst(CDrawItem* item, const char* signature) {
    if (item->inList) item->RemoveFromDrawList();
    if (item->inList) AssertFail("!inList", __FILE__, __LINE__, signature);
}

// Cuts the part of the owner's art below its foot line into bands of 44
// rows and files a slice for each in the cells in front of (fx, fy).
void FileSlices(CContainerObj* owner, int fx, int fy) {
    const int bottom = owner->rect.bottom;
    for (int k = 1; k <= kMaxSlices; ++k) {
        const int top = owner->footLine + 44 * (k - 1);
        if (top >= bottom) break;
        const int end = std::min(owner->footLine + 44 * k, bottom);
        auto* slice = new CBigMobComponent(fx + k, fy + k, top, end, owner);
        Insert(slice, fx + k, fy + k, true);
        slice->inList = TRUE;
        if (!slice->IsHidden()) DrawManager::Invalidate(slice);
    }
}

// Corpses, mobiles and the player: measured first (which sets the cell
// shift and the foot line), then filed after every item of their key.
void InsertSorted(CContainerObj* owner, int x, int y, bool slices) {
    owner->inList = TRUE;
    DrawManager::CalcRect(owner);
    const int cx = x + owner->cellShift;
    const int cy = y - owner->cellShift;
    Insert(owner, cx, cy, false);
    if (!DrawManager::IsHidden(owner)) DrawManager::Invalidate(owner);
    if (slices && owner->rect.bottom > owner->footLine) FileSlices(owner, cx, cy);
}

// Unlinks an item from the cell whose list it heads or lies in.  A head
// that is not found where it was filed is searched for in the whole table,
// so that no list keeps a pointer to an item that is gone.
void Unlink(CDrawItem* item, int x, int y, const char* who) {
    if (item->prev) {
        item->prev->next = item->next;
    } else {
        CDrawItem*& head = Head(x, y);
        if (head == item) {
            head = item->next;
        } else {
            TWReport::warning(
                "%s: code would have asserted because 'DrawMapThingie::table[locY][locX] == "
                "this' evaluates to 0. searching every cell.\n",
                who);
            for (auto& row : DrawMapThingie::table)
                for (CDrawItem*& h : row)
                    if (h == item) h = item->next;
        }
    }
    if (item->next) item->next->prev = item->prev;
    item->next = item->prev = nullptr;
    item->inList = FALSE;
}

void RemoveListed(CDrawItem* item, int x, int y, const char* who) {
    if (!DrawManager::IsHidden(item)) DrawManager::Invalidate(item);
    Unlink(item, x, y, who);
    InvalidateLightsCoveredBy(item);
}

int ObjectKey(CObj& object) {
    int key = object.z;
    if (object.GetTileFlags() & 0x1) --key;
    if (object.GetHeight() > 0) ++key;
    return key;
}

// The cell of a container: shifted up-right along its screen row.
void ShiftedCell(CDrawItem& item, int* x, int* y) {
    *x = item.locX;
    *y = item.locY;
    if (item.IsContainer()) {
        const int shift = static_cast<CContainerObj&>(item).cellShift;
        *x += shift;
        *y -= shift;
    }
}

class Filer final : public DrawItemVisitorBase {
public:
    using DrawItemVisitorBase::Visit;

    void Visit(CDrawItem& item) override {
        FileByKey(item, item.z, "void CDrawItem::AddToDrawList()");
    }
    void Visit(CTerrain& cell) override {
        FileByKey(cell, cell.z - 1, "void CTerrain::AddToDrawList()");
    }
    void Visit(CTexTerr& cell) override {
        FileByKey(cell, static_cast<short>(cell.GetStandZ()) - 1, "void CTexTerr::AddToDrawList()");
    }
    void Visit(CObj& object) override {
        FileByKey(object, ObjectKey(object), "void CObj::AddToDrawList()");
    }
    void Visit(CCorpse& corpse) override {
        TakeOutFirst(&corpse, "void CCorpse::AddToDrawList()");
        corpse.drawKey = corpse.z + 1;
        SetScreenPosition(&corpse);
        InsertSorted(&corpse, corpse.locX, corpse.locY, true);
    }
    void Visit(CMobile& mobile) override {
        TakeOutFirst(&mobile, "void CMobile::AddToDrawList()");
        mobile.drawKey = mobile.z + (mobile.GetHeight() > 0 ? 1 : 0);
        SetScreenPosition(&mobile);
        int x, y;
        drawitem::StepCell(mobile, &x, &y);
        InsertSorted(&mobile, x, y, mobile.objectType < 400);
    }
    void Visit(CBigMobComponent&) override {
        // Slices are filed by their owner, never on their own.
    }

private:
    void FileByKey(CDrawItem& item, int key, const char* signature) {
        TakeOutFirst(&item, signature);
        item.drawKey = key;
        SetScreenPosition(&item);
        int x, y;
        ShiftedCell(item, &x, &y);
        Insert(&item, x, y, true);
        Finish(&item);
    }
};

class Remover final : public DrawItemVisitorBase {
public:
    using DrawItemVisitorBase::Visit;

    void Visit(CDrawItem& item) override {
        if (!item.inList)
            AssertFail("inList", __FILE__, __LINE__, "void CDrawItem::RemoveFromDrawList()");
        RemoveListed(&item, item.locX, item.locY, "CDrawItem::RemoveFromDrawList()");
    }
    void Visit(CCorpse& corpse) override {
        if (!corpse.inList)
            AssertFail("inList", __FILE__, __LINE__, "void CCorpse::RemoveFromDrawList()");
        ReleaseSlices(&corpse);
        int x, y;
        ShiftedCell(corpse, &x, &y);
        RemoveListed(&corpse, x, y, "CCorpse::RemoveFromDrawList");
    }
    void Visit(CMobile& mobile) override {
        if (!mobile.inList) return;
        ReleaseSlices(&mobile);
        int x, y;
        drawitem::StepCell(mobile, &x, &y);
        RemoveListed(&mobile, x + mobile.cellShift, y - mobile.cellShift,
                     "CMobile::RemoveFromDrawList");
    }
};

}  // namespace

void DrawManager::AddToDrawList(CDrawItem* item) {
    Filer filer;
    item->Accept(filer);
}

void DrawManager::RemoveFromDrawList(CDrawItem* item) {
    Remover remover;
    item->Accept(remover);
}

void DrawManager::AddMobileToDrawList(CMobile* mobile) {
    AddToDrawList(mobile);
    // The mobile's own step after it has been filed.
    mobile->PlayFootstepSound();
}

void DrawManager::RemoveMobileFromDrawList(CMobile* mobile) {
    RemoveFromDrawList(mobile);
}

void DrawManager::AddToDrawListAt(CDrawItem* item, int x, int y) {
    TakeOutFirst(item, "void CDrawItem::AddToDrawListAt(int, int)");
    SetScreenPosition(item);
    if (item->IsContainer()) {
        const int shift = static_cast<CContainerObj*>(item)->cellShift;
        x += shift;
        y -= shift;
    }
    Insert(item, x, y, true);
    Finish(item);
}

void DrawManager::Invalidate(CDrawItem* item) {
    if (!item->inList) return;
    const RECT r = ScreenRectOf(item);
    DirtyRect(&r);
}
