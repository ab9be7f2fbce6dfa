#include "resources/GraphicManager.h"

#include "pending/Pending.h"

CGump* GraphicManager::FindOwnerGump(CObj*) {
    TW_PENDING("GraphicManager::FindOwnerGump");
    return nullptr;
}
