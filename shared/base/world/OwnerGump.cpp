// The open gump that shows where an object is held: the paperdoll of the
// mobile that wears it, or the container gump of the container it lies in.
#include "MemoryManager.h"
#include "resources/GraphicManager.h"
#include "world/GumpHooks.h"
#include "world/Obj.h"

CGump* GraphicManager::FindOwnerGump(CObj* object) {
    if (!MemoryManager::isValidPointer(object) || !object->IsDynamic()) return nullptr;
    CContainerObj* holder = static_cast<CDynamicObj*>(object)->containedBy;
    if (!holder) return nullptr;
    return world::Gumps().FindHolderGump(holder, holder->IsMobile());
}
