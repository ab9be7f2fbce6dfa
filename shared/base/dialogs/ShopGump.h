// CShopGump: a vendor's buy or sell list.  Only what its callers use so far
// is declared here; its operations are not built yet (their stand-ins are in
// shared/base/pending/).
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class CShopGump : public CGump {
public:
    BOOL IsShopGump() override { return TRUE; }
    BOOL IgnoresRemovals() override { return ignoresRemovals; }
    // Drops an item from the list.
    void RemoveItem(M_DWORD serial) override;
    void RedrawFrame() override;

    // In its second state the gump ignores removals.
    BOOL ignoresRemovals = FALSE;
};
