#include "gumps/Gump.h"
#include "pending/Pending.h"

CGump* g_focusGump = nullptr;

BOOL CGump::PutInGump(CGump* newParent, BOOL) {
    TW_PENDING("CGump::PutInGump");
    parent = newParent;
    return TRUE;
}
