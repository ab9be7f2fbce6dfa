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
