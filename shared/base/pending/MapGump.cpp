#include "view/MapGump.h"
#include "pending/Pending.h"

void CMapGump::ForgetObjectUnderPointer() {
    TW_PENDING("CMapGump::ForgetObjectUnderPointer");
}
