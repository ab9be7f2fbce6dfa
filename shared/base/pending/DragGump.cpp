#include "gumps/DragGump.h"
#include "pending/Pending.h"
#include "world/ObjectManager.h"

CDragGump::CDragGump() {
    TW_PENDING("CDragGump::CDragGump");
}
// The object manager's pointer to the drag gump goes with it.
CDragGump::~CDragGump() {
    if (CObjectManager::dragGump == this) CObjectManager::dragGump = nullptr;
}
