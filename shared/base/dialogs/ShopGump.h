// CShopGump: a vendor's buy or sell list.  Only what its callers use so far
// is declared here.
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class CShopGump : public CGump {
public:
    BOOL IsShopGump() override { return TRUE; }
    // Drops an item from the list.
    void RemoveItem(M_DWORD serial);
    void RedrawFrame();

    // In its second state the gump ignores removals.
    BOOL ignoresRemovals = FALSE;
};
