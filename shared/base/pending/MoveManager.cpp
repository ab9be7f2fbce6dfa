#include "world/MoveManager.h"
#include "pending/Pending.h"

void MoveManager::Update() {
    TW_PENDING("MoveManager::Update");
}
