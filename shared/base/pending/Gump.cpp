#include "gumps/Gump.h"
#include "pending/Pending.h"

CGump* g_focusGump = nullptr;

BOOL CGump::PutInGump(CGump* newParent, BOOL) {
    TW_PENDING("CGump::PutInGump");
    parent = newParent;
    return TRUE;
}

void CGump::BringToFront(CGump*, int) {
    TW_PENDING("CGump::BringToFront");
}
void CGump::Minimize(CGump*) {
    TW_PENDING("CGump::Minimize");
}
void CGump::Restore(CGump*) {
    TW_PENDING("CGump::Restore");
}
