// The front end's main menu.  Only what its callers use so far is declared
// here.
#pragma once

#include "gumps/Gump.h"

class CMainMenuGump : public CGump {
public:
    CMainMenuGump();
};
