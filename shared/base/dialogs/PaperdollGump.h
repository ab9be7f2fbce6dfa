// CPaperdollGump: a mobile's paperdoll.  Only what its callers use so far
// is declared here; its operations are not built yet (their stand-ins are in
// shared/base/pending/).
#pragma once

#include "gumps/Gump.h"

class CPaperdollGump : public CGump {
public:
    BOOL IsPaperdollGump() override { return TRUE; }
    // Marks it for rebuilding after the mobile's equipment changed.
    void Invalidate() override;
};
