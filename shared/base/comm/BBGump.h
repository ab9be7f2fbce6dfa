// CBBGump: a bulletin board.  Only what its callers use so far is declared
// here; its operations are not built yet (their stand-ins are in
// shared/base/pending/).
#pragma once

#include "gumps/Gump.h"

class CBBGump : public CGump {
public:
    BOOL IsBBGump() override { return TRUE; }
    // Removes the entry of a message.
    void RemoveMessage(CGump* messageGump) override;
};
