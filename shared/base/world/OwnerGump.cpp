// The open gump that shows where an object is held: the paperdoll of the
// mobile that wears it, or the container gump of the container it lies in.
#include "MemoryManager.h"
#include "TWReport.h"
#include "gumps/Gump.h"
#include "resources/GraphicManager.h"
#include "world/Obj.h"

CGump* GraphicManager::FindOwnerGump(CObj* object) {
    if (!MemoryManager::isValidPointer(object) || !object->IsDynamic()) return nullptr;
    CContainerObj* holder = static_cast<CDynamicObj*>(object)->containedBy;
    if (!holder) return nullptr;
    const BOOL worn = holder->IsMobile();
    for (CGump* g = g_gumpList; g; g = g->next) {
        M_DWORD guard = MemoryManager::isValidPointer(g) ? g->validation : 0;
        if (!MemoryManager::validateRawPointer(g, guard, "shared/base/graphic", 0)) {
            TWReport::error(
                "GraphicManager::FindOwnerGump: either pointer 'pGump' is not valid, "
                "or the data it points to is not valid. breaking out of loop.\n");
            break;
        }
        if (g->owner == holder && (worn ? g->IsPaperdollGump() : g->IsContainerGump())) return g;
    }
    return nullptr;
}
