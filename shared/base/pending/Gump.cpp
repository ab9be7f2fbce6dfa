#include "gumps/Gump.h"
#include "gumps/DragGump.h"
#include "gumps/Sequence.h"
#include "pending/Pending.h"

CGump* g_focusGump = nullptr;
CGump* g_gumpList = nullptr;
BOOL g_gumpTeardown = FALSE;

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

CDragGump::CDragGump() {
    TW_PENDING("CDragGump::CDragGump");
}
CDragGump::~CDragGump() = default;

BOOL g_sequencing = FALSE;
CSequence* g_currentSequence = nullptr;

void CSequence::AddPacket(CSequence*, int, const M_BYTE*, int) {
    TW_PENDING("CSequence::AddPacket");
}
