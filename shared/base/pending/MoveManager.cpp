#include "world/MoveManager.h"
#include "pending/Pending.h"

void MoveManager::Update() {
    TW_PENDING("MoveManager::Update");
}

void MoveManager::ClearWalkQueue() {
    TW_PENDING("MoveManager::ClearWalkQueue");
}

void MoveManager::WalkByKey(int, M_DWORD) {
    TW_PENDING("MoveManager::WalkByKey");
}

void MoveManager::RequestMove(int, M_DWORD, int) {
    TW_PENDING("MoveManager::RequestMove");
}
