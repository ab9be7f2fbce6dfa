// The world model's members whose work is the view's: each hands its
// object to the draw manager or the light module.
#include "view/DrawManager.h"
#include "view/LightPass.h"
#include "world/Mobile.h"
#include "world/Terrain.h"

void CDrawItem::AddToDrawList() {
    DrawManager::AddToDrawList(this);
}
void CDrawItem::RemoveFromDrawList() {
    DrawManager::RemoveFromDrawList(this);
}
void CDrawItem::Invalidate() {
    DrawManager::Invalidate(this);
}
void CDrawItem::SetTileAndLocation(int tile, const TerrainLocation* where) {
    DrawManager::SetTileAndLocation(this, tile, where);
}
void CTexTerr::CalcNormals(const signed char* corners) {
    DrawManager::CalcNormals(this, corners);
}
void CMobile::AddToDrawList() {
    DrawManager::AddMobileToDrawList(this);
}
void CMobile::RemoveFromDrawList() {
    DrawManager::RemoveMobileFromDrawList(this);
}
void CMobile::InvalidateEquipmentLights() {
    ::InvalidateEquipmentLights(this);
}
