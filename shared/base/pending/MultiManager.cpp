#include "world/MultiManager.h"
#include "pending/Pending.h"
#include "world/Obj.h"

void MultiManager::startup() {
    TW_PENDING("MultiManager::startup");
}
void MultiManager::shutdown() {
    TW_PENDING("MultiManager::shutdown");
}

MultiComponentList::~MultiComponentList() = default;

void MultiManager::FreeComponentList(MultiComponentList* list) {
    if (list) list->placed = 0;
}

// Without the multi definitions the object stands alone.
void SetObjectMulti(CDynamicObj* object, int x, int y, int z, int) {
    TW_PENDING("SetObjectMulti");
    if (!object->inVoid) object->ToVoid();
    object->ToWorld(Coords(static_cast<short>(x), static_cast<short>(y), static_cast<short>(z)));
}
