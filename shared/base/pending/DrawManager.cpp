#include "view/DrawManager.h"

#include "pending/Pending.h"

CDrawItem* DrawManager::GetItemAtScreenPoint(int, int, BOOL) {
    TW_PENDING("DrawManager::GetItemAtScreenPoint");
    return nullptr;
}

void DrawManager::UpdateRoofCut() {
    TW_PENDING("DrawManager::UpdateRoofCut");
}

void ClearMobileAnimations() {
    TW_PENDING("ClearMobileAnimations");
}
void StartMobileAnimation(CMobile*) {
    TW_PENDING("StartMobileAnimation");
}
int StopMobileAnimation(CMobile*) {
    TW_PENDING("StopMobileAnimation");
    return 0;
}
