// The death menu.  Only what its callers use so far is declared here; it is
// not built yet: GumpService::MakeDeathMenuGump makes it.
#pragma once

#include "gumps/Gump.h"

class CDeathMenuGump : public CGump {
public:
    // A frame centred on the gameplay window with the death menu's choices.
    static CDeathMenuGump* Make() { return tw::Service<GumpService>::Get().MakeDeathMenuGump(); }
};
