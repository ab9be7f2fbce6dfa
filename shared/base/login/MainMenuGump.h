// The front end's main menu.  Only what its callers use so far is declared
// here; it is not built yet: LoginService::MakeMainMenuGump makes it.
#pragma once

#include "gumps/Gump.h"
#include "login/LoginState.h"

class CMainMenuGump : public CGump {
public:
    static CMainMenuGump* Make() { return tw::Service<LoginService>::Get().MakeMainMenuGump(); }
};
