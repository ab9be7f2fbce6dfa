#include "view/DrawManager.h"

#include "pending/Pending.h"

void DrawManager::ClearTable() {
    TW_PENDING("DrawManager::ClearTable");
}
void DrawManager::startup() {
    TW_PENDING("DrawManager::startup");
}
void DrawManager::shutdown() {
    TW_PENDING("DrawManager::shutdown");
}

BOOL DrawManager::heightCut = FALSE;

void DrawManager::ResortItemsOfTile(int) {
    TW_PENDING("DrawManager::ResortItemsOfTile");
}
void DrawManager::InvalidateTerrainOfTile(int) {
    TW_PENDING("DrawManager::InvalidateTerrainOfTile");
}
CDrawItem* DrawManager::GetItemAtScreenPoint(int, int, BOOL) {
    TW_PENDING("DrawManager::GetItemAtScreenPoint");
    return nullptr;
}

// Without the draw lists no cell holds anything.
CDrawItem* DrawManager::GetTopItemAt(int, int) {
    TW_PENDING("DrawManager::GetTopItemAt");
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
