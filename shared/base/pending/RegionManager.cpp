#include "world/RegionManager.h"
#include "pending/Pending.h"

void RegionManager::startup() {
    TW_PENDING("RegionManager::startup");
}
void RegionManager::shutdown() {
    TW_PENDING("RegionManager::shutdown");
}
