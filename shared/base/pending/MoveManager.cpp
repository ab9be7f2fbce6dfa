#include "world/MoveManager.h"
#include "pending/Pending.h"
#include "world/Mobile.h"

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

int MoveManager::stepCounter = 0;
BOOL MoveManager::stepRunning = FALSE;
int MoveManager::requestsInFlight = 0;
time_t MoveManager::lastRequestTime = 0;

int CMobile::CalcDrawZ() {
    return z;
}
