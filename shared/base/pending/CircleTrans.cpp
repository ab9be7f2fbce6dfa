#include "view/CircleTrans.h"

#include "pending/Pending.h"

CCircleTrans theCircleTrans;

void CCircleTrans::SetRadius(int) {
    TW_PENDING("CCircleTrans::SetRadius");
}

void CCircleTrans::SetPosition(int, int) {
    TW_PENDING("CCircleTrans::SetPosition");
}

void CCircleTrans::Reset() {
    TW_PENDING("CCircleTrans::Reset");
}

void CCircleTrans::ClearSeeThroughList() {
    TW_PENDING("CCircleTrans::ClearSeeThroughList");
}

CCircleTransEntry* CCircleTrans::FindEntry(const CDrawItem*) {
    TW_PENDING("CCircleTrans::FindEntry");
    return nullptr;
}

void CCircleTrans::RemoveEntry(CCircleTransEntry*) {
    TW_PENDING("CCircleTrans::RemoveEntry");
}
