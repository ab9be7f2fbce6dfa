// CPaperdollGump: a mobile's paperdoll.  Only what its callers use so far
// is declared here.
#pragma once

#include "gumps/Gump.h"

class CPaperdollGump : public CGump {
public:
    BOOL IsPaperdollGump() override { return TRUE; }
    // Marks it for rebuilding after the mobile's equipment changed.
    void Invalidate();
};
