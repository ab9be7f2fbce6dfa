// CDragGump: the gump that follows the pointer while an object is held.
// Only what its callers use so far is declared here; it is not built yet,
// and GumpService::MakeDragGump makes it.
#pragma once

#include "gumps/Gump.h"

class CDragGump : public CGump {
public:
    CDragGump();
    ~CDragGump() override;
    BOOL IsDragGump() override { return TRUE; }

    // The paperdoll marked as able to wear the held item, or null; cleared
    // when that paperdoll closes.  One item is held at a time, so there is
    // one.
    static CGump* highlightedPaperdoll;
};
