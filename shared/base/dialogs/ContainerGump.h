// CContainerGump: the window of an open container.  Only what its callers
// use so far is declared here; its operations are not built yet (their
// stand-ins are in shared/base/pending/).
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class CContainerGump : public CGump {
public:
    BOOL IsContainerGump() override { return TRUE; }
    // Shows a new object of the container.
    void AddToGump(CObj* object) override;
    // Places again the container's objects that fall in the rectangle (the
    // area an object covered).
    void AddContents(const RECT& area) override;
};
