#include "view/DrawManager.h"

#include "pending/Pending.h"

void DrawManager::UpdateRoofCut() {
    TW_PENDING("DrawManager::UpdateRoofCut");
}
