#include "view/MapGump.h"
#include "pending/Pending.h"

CMapGump::CMapGump() {
    TW_PENDING("CMapGump::CMapGump");
}

void CMapGump::ForgetObjectUnderPointer() {
    TW_PENDING("CMapGump::ForgetObjectUnderPointer");
}
