// The per-frame step of the animated items on screen.
#include "MemoryManager.h"
#include "TWReport.h"
#include "resources/AnimData.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

void animCrap::Update() {
    ++tick;
    for (CObj* obj = CObjectManager::animatedItemList; obj; obj = obj->nextAnimated) {
        M_DWORD guard = MemoryManager::isValidPointer(obj) ? obj->validation : 0;
        if (!MemoryManager::validateRawPointer(obj, guard, "shared/base/animedit", 51)) {
            TWReport::error(
                "animCrap::Update: either pointer 'pObj' is not valid, or the data it "
                "points to is not valid. breaking out of loop.\n");
            break;
        }
        if (obj->IsCutAway()) continue;
        int offset = 0;
        if (!StepEntry(obj->objectType, &offset)) continue;
        obj->RemoveFromDrawList();
        obj->frameOffset = offset;
        obj->AddToDrawList();
    }
}
