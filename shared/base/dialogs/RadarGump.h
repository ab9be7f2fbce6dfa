// CRadarGump: the radar map.  Only what its callers use so far is declared
// here.
#pragma once

#include "gumps/Gump.h"

class CRadarGump : public CGump {
public:
    // Redraws the radar picture.
    void RenderMap();
};
