#include "support/fakes/FakeObj.h"

#include <map>
#include <utility>

#include "support/TwTest.h"
#include "view/DrawManager.h"
#include "world/Mobile.h"
#include "world/Terrain.h"

namespace tw::fake {

std::vector<ObjEvent>& ObjEvents() {
    static std::vector<ObjEvent> events;
    return events;
}

int CountObjEvents(const std::string& what, const CDrawItem* item) {
    int n = 0;
    for (const ObjEvent& e : ObjEvents())
        if (e.what == what && e.item == item) ++n;
    return n;
}

namespace {

using Cell = std::pair<int, int>;
std::map<Cell, CDrawItem*>& Heads() {
    static std::map<Cell, CDrawItem*> heads;
    return heads;
}
// Where each listed item was filed: its location may change while listed.
std::map<const CDrawItem*, Cell>& FiledAt() {
    static std::map<const CDrawItem*, Cell> filed;
    return filed;
}

// Land lies below everything else of the cell.
int Height(CDrawItem* item) {
    return item->IsTerrain() ? -100000 : item->z;
}

void Unfile(CDrawItem* item) {
    auto at = FiledAt().find(item);
    if (at == FiledAt().end()) return;
    // As in the real lists the top item is the last: prev goes downward.
    if (item->next)
        item->next->prev = item->prev;
    else
        Heads()[at->second] = item->prev;
    if (item->prev) item->prev->next = item->next;
    item->next = item->prev = nullptr;
    FiledAt().erase(at);
}

void File(CDrawItem* item) {
    Unfile(item);
    const Cell cell{item->locX, item->locY};
    CDrawItem* above = nullptr;
    CDrawItem* below = Heads()[cell];
    while (below && Height(below) >= Height(item)) {
        above = below;
        below = below->prev;
    }
    item->next = above;
    item->prev = below;
    if (above)
        above->prev = item;
    else
        Heads()[cell] = item;
    if (below) below->next = item;
    FiledAt()[item] = cell;
}

const bool registered = [] {
    tw::test::AddServiceReset([] {
        ObjEvents().clear();
        Heads().clear();
        FiledAt().clear();
    });
    return true;
}();
}  // namespace

std::vector<CDrawItem*> CellItems(int x, int y) {
    std::vector<CDrawItem*> items;
    for (CDrawItem* i = DrawManager::GetTopItemAt(x, y); i; i = i->prev) items.push_back(i);
    return items;
}

}  // namespace tw::fake

using tw::fake::ObjEvents;

CDrawItem* DrawManager::GetTopItemAt(int x, int y) {
    auto it = tw::fake::Heads().find({x, y});
    return it == tw::fake::Heads().end() ? nullptr : it->second;
}

void CDrawItem::AddToDrawList() {
    ObjEvents().push_back({"add", this});
    tw::fake::File(this);
    inList = TRUE;
}
void CDrawItem::RemoveFromDrawList() {
    ObjEvents().push_back({"remove", this});
    tw::fake::Unfile(this);
    inList = FALSE;
}
void CDrawItem::Invalidate() {
    ObjEvents().push_back({"invalidate", this});
}
void CDrawItem::SetTileAndLocation(int, const TerrainLocation*) {
    ObjEvents().push_back({"setup", this});
}
void CTexTerr::CalcNormals(const signed char*) {
    ObjEvents().push_back({"normals", this});
}

void CMobile::AddToDrawList() {
    CDrawItem::AddToDrawList();
    PlayFootstepSound();
}
void CMobile::RemoveFromDrawList() {
    if (inList) CDrawItem::RemoveFromDrawList();
}
void CMobile::InvalidateEquipmentLights() {
    ObjEvents().push_back({"lights", this});
}
