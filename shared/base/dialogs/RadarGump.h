// CRadarGump: the radar map.  Only what its callers use so far is declared
// here; its operations are not built yet (their stand-ins are in
// shared/base/pending/).
#pragma once

#include "gumps/Gump.h"

class CRadarGump : public CGump {
public:
    // Redraws the radar picture.
    void RenderMap() override;
};
