#include "world/MultiManager.h"
#include "pending/Pending.h"

void MultiManager::startup() {
    TW_PENDING("MultiManager::startup");
}
void MultiManager::shutdown() {
    TW_PENDING("MultiManager::shutdown");
}
