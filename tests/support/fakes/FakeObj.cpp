#include "support/fakes/FakeObj.h"

#include "support/TwTest.h"
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
const bool registered = [] {
    tw::test::AddServiceReset([] { ObjEvents().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

using tw::fake::ObjEvents;

void CDrawItem::AddToDrawList() {
    ObjEvents().push_back({"add", this});
    inList = TRUE;
}
void CDrawItem::RemoveFromDrawList() {
    ObjEvents().push_back({"remove", this});
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
