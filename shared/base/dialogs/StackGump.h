// CStackGump: the amount gump of a stack that is picked up.  Only what its
// callers use so far is declared here; its operations are not built yet
// (their stand-ins are in shared/base/pending/).
#pragma once

#include "gumps/Gump.h"

class CStackGump : public CGump {
public:
    // Puts the amount slider in the middle (half of the amount) and lays
    // the gump out.
    void CenterAmountSlider() override;
};
