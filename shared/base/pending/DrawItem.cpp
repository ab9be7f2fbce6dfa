// The world view's side of the object classes: filing into the draw lists.
// Until the lists exist an item only keeps its listed flag.
#include "pending/Pending.h"
#include "world/Mobile.h"
#include "world/Terrain.h"

void CDrawItem::AddToDrawList() {
    TW_PENDING("CDrawItem::AddToDrawList");
    inList = TRUE;
}
void CDrawItem::RemoveFromDrawList() {
    TW_PENDING("CDrawItem::RemoveFromDrawList");
    inList = FALSE;
}
void CDrawItem::Invalidate() {
    TW_PENDING("CDrawItem::Invalidate");
}
void CDrawItem::SetTileAndLocation(int, const TerrainLocation*) {
    TW_PENDING("CDrawItem::SetTileAndLocation");
}
void CTexTerr::CalcNormals(const signed char*) {
    TW_PENDING("CTexTerr::CalcNormals");
}

void CMobile::AddToDrawList() {
    TW_PENDING("CMobile::AddToDrawList");
    CDrawItem::AddToDrawList();
    PlayFootstepSound();
}
void CMobile::RemoveFromDrawList() {
    TW_PENDING("CMobile::RemoveFromDrawList");
    if (inList) CDrawItem::RemoveFromDrawList();
}
void CMobile::InvalidateEquipmentLights() {
    TW_PENDING("CMobile::InvalidateEquipmentLights");
}
