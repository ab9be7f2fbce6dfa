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
void DrawManager::InvalidateTerrainOfTile(int) {
    TW_PENDING("DrawManager::InvalidateTerrainOfTile");
}
void DrawManager::ResortItemsOfTile(int) {
    TW_PENDING("DrawManager::ResortItemsOfTile");
}
