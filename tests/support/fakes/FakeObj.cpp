#include "support/fakes/FakeObj.h"

#include <algorithm>

#include "support/TwTest.h"
#include "world/ObjectManager.h"

namespace tw::fake {

std::vector<ObjEvent>& ObjEvents() {
    static std::vector<ObjEvent> events;
    return events;
}

std::vector<const CDrawItem*>& CutAwayItems() {
    static std::vector<const CDrawItem*> items;
    return items;
}

std::vector<PreviewPart>& PreviewParts() {
    static std::vector<PreviewPart> parts;
    return parts;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        ObjEvents().clear();
        CutAwayItems().clear();
        PreviewParts().clear();
        CMultiTargetObj::placementZ = 0;
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

using tw::fake::ObjEvents;

CDrawItem::~CDrawItem() {
    validation = 0;
}
void CDrawItem::AddToDrawList() {
    ObjEvents().push_back({"add", this});
}
void CDrawItem::RemoveFromDrawList() {
    ObjEvents().push_back({"remove", this});
}
BOOL CDrawItem::IsCutAway() {
    const auto& cut = tw::fake::CutAwayItems();
    return std::find(cut.begin(), cut.end(), this) != cut.end();
}
void CDrawItem::Invalidate() {
    ObjEvents().push_back({"invalidate", this});
}

void CDynamicObj::ClearOverheadText() {
    ObjEvents().push_back({"clear-overhead", this});
}
void CDynamicObj::ArrangeOverheadText() {
    ObjEvents().push_back({"arrange-overhead", this});
}

int CMultiTargetObj::placementZ = 0;

CMultiTargetObj::CMultiTargetObj(int graphic, int x, int y) {
    objectType = static_cast<M_WORD>(graphic & 0x3FFF);
    nextPreview = CObjectManager::multiPreviewList;
    CObjectManager::multiPreviewList = this;
    tw::fake::PreviewParts().push_back({graphic, x, y, placementZ});
}

CMultiTargetObj::~CMultiTargetObj() {
    ObjEvents().push_back({"delete", this});
    for (CMultiTargetObj** p = &CObjectManager::multiPreviewList; *p; p = &(*p)->nextPreview)
        if (*p == this) {
            *p = nextPreview;
            break;
        }
}
