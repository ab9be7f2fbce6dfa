#include "world/Obj.h"

#include "pending/Pending.h"
#include "world/ObjectManager.h"

CDrawItem::~CDrawItem() {
    validation = 0;
}
void CDrawItem::AddToDrawList() {
    TW_PENDING("CDrawItem::AddToDrawList");
}
void CDrawItem::RemoveFromDrawList() {
    TW_PENDING("CDrawItem::RemoveFromDrawList");
}
BOOL CDrawItem::IsCutAway() {
    return TRUE;
}
void CDrawItem::Invalidate() {
    TW_PENDING("CDrawItem::Invalidate");
}

void CDynamicObj::ClearOverheadText() {
    TW_PENDING("CDynamicObj::ClearOverheadText");
}
void CDynamicObj::ArrangeOverheadText() {
    TW_PENDING("CDynamicObj::ArrangeOverheadText");
}

int CMultiTargetObj::placementZ = 0;

CMultiTargetObj::CMultiTargetObj(int graphic, int, int) {
    TW_PENDING("CMultiTargetObj::CMultiTargetObj");
    objectType = static_cast<M_WORD>(graphic & 0x3FFF);
    nextPreview = CObjectManager::multiPreviewList;
    CObjectManager::multiPreviewList = this;
}

CMultiTargetObj::~CMultiTargetObj() {
    for (CMultiTargetObj** p = &CObjectManager::multiPreviewList; *p; p = &(*p)->nextPreview)
        if (*p == this) {
            *p = nextPreview;
            break;
        }
}
