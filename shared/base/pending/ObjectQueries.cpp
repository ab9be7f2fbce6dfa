#include "world/ObjectQueries.h"
#include "pending/Pending.h"

void GetObjectLocation(CDrawItem*, int* x, int* y, int* z) {
    TW_PENDING("GetObjectLocation");
    *x = *y = *z = 0;
}

BOOL IsMobileObject(CDrawItem*) {
    TW_PENDING("IsMobileObject");
    return FALSE;
}

M_DWORD GetObjectSerial(CDrawItem*) {
    TW_PENDING("GetObjectSerial");
    return 0;
}

CObj* GetEquippedItem(CObj*, int) {
    TW_PENDING("GetEquippedItem");
    return nullptr;
}

int GetMobilesOnScreen(CObj**, int) {
    TW_PENDING("GetMobilesOnScreen");
    return 0;
}

int GetCorpsesOnScreen(CObj**, int) {
    TW_PENDING("GetCorpsesOnScreen");
    return 0;
}

void SetHeldItem(CObj*) {
    TW_PENDING("SetHeldItem");
}

void ShowOverheadText(CObj*, const char*) {
    TW_PENDING("ShowOverheadText");
}
