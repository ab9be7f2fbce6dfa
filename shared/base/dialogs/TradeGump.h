// CTradeGump: the secure trade window.  Only what its callers use so far is
// declared here; its operations are not built yet (their stand-ins are in
// shared/base/pending/).
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class CTradeGump : public CGump {
public:
    // The serial that names the trade in the secure-trade messages.
    M_DWORD GetTradeSerial() override;
};
