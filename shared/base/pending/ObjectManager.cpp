#include "world/ObjectManager.h"

#include "pending/Pending.h"
#include "world/Coords.h"

CObj* CObjectManager::animatedItemList = nullptr;
CMultiTargetObj* CObjectManager::multiPreviewList = nullptr;

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
void CObjectManager::PatchTileDataGroup(int, const M_BYTE*, int) {
    TW_PENDING("CObjectManager::PatchTileDataGroup");
}

CDynamicObj* CObjectManager::FindObject(M_DWORD) {
    TW_PENDING("CObjectManager::FindObject");
    return nullptr;
}

int GetPlayerCoords(Coords*) {
    return 0;
}

int GetGroundZ(int, int) {
    TW_PENDING("GetGroundZ");
    return 0;
}

void CObjectManager::ReleaseAllObjects() {
    TW_PENDING("CObjectManager::ReleaseAllObjects");
}

void CObjectManager::UseObject(CDynamicObj*) {
    TW_PENDING("CObjectManager::UseObject");
}
