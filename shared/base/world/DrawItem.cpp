// The root of the draw items: guard word, registration and the base slots.
#include "world/Obj.h"
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

void CDrawItem::ToVoid() {
    WORLD_ASSERT(0, "void CDrawItem::ToVoid()");
}
