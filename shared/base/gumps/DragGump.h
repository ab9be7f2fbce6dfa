// CDragGump: the gump that follows the pointer while an object is held.
// Only what its callers use so far is declared here; it is not built yet,
// and GumpService::MakeDragGump makes it.
#pragma once

#include "gumps/Gump.h"

class CDragGump : public CGump {
public:
    CDragGump();
    ~CDragGump() override;
};
