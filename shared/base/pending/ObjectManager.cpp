#include "world/ObjectManager.h"
#include "pending/Pending.h"
#include "world/Coords.h"

void CObjectManager::startup() {
    TW_PENDING("CObjectManager::startup");
}
void CObjectManager::shutdown() {
    TW_PENDING("CObjectManager::shutdown");
}
void CObjectManager::UpdateMovement() {
    TW_PENDING("CObjectManager::UpdateMovement");
}
void CObjectManager::AgeRecentList() {
    TW_PENDING("CObjectManager::AgeRecentList");
}

void DestroyPlayerObject() {}

int GetPlayerCoords(Coords*) {
    return 0;
}
