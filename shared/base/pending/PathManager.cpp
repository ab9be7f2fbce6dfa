#include "world/PathManager.h"
#include "pending/Pending.h"

void PathManager::startup() {
    TW_PENDING("PathManager::startup");
}
void PathManager::shutdown() {
    TW_PENDING("PathManager::shutdown");
}
