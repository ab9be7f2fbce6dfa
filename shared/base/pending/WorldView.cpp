#include "view/WorldView.h"
#include "pending/Pending.h"

M_WORD* g_workBuffer = nullptr;

void FollowPathStep() {
    TW_PENDING("FollowPathStep");
}

CObj* g_pointerObject = nullptr;
PathWalk g_pathWalk;
BOOL g_criminalWarning = TRUE;

void RelinkPathBackPointers() {
    TW_PENDING("RelinkPathBackPointers");
}
