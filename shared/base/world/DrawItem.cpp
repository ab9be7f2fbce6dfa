// The root of the draw items: guard word, registration and the base slots.
#include "world/Obj.h"
#include "world/Terrain.h"
#include "world/ViewHooks.h"
#include "world/WorldInternal.h"

CDrawItem::CDrawItem() {
    if (g_globalList) g_globalList->Register(this);
}

CDrawItem::~CDrawItem() {
    // The derived forms have left their lists already; what is still filed
    // goes through the base removal.
    if (inList) CDrawItem::RemoveFromDrawList();
    validation = 0;
    if (g_globalList) g_globalList->Unregister(this);
    next = prev = nullptr;
    inList = FALSE;
    rect = {0, 0, 0, 0};
    screenColumn = screenRow = drawKey = 0;
}

void CDrawItem::Release() {
    delete this;
}

// The world view files, marks and sets up the items.
void CDrawItem::AddToDrawList() {
    world::Draw().AddToDrawList(this);
}
void CDrawItem::RemoveFromDrawList() {
    world::Draw().RemoveFromDrawList(this);
}
void CDrawItem::Invalidate() {
    world::Draw().Invalidate(this);
}
void CDrawItem::SetTileAndLocation(int tile, const TerrainLocation* where) {
    world::Draw().SetTileAndLocation(this, tile, where);
}
void CTexTerr::CalcNormals(const signed char* corners) {
    world::Draw().CalcNormals(this, corners);
}

void CDrawItem::ToVoid() {
    WORLD_ASSERT(0, "void CDrawItem::ToVoid()");
}
