#include "view/DrawManager.h"

#include "pending/Pending.h"

CDrawItem* DrawManager::GetItemAtScreenPoint(int, int, BOOL) {
    TW_PENDING("DrawManager::GetItemAtScreenPoint");
    return nullptr;
}

void DrawManager::UpdateRoofCut() {
    TW_PENDING("DrawManager::UpdateRoofCut");
}
