// CWaitingGump: the message box of the login flow, the network notes and
// the dialogs' warnings.  The class is made through the gump factory
// (GumpHooks.h); only the kind it answers is declared here.
#pragma once

#include "gumps/Gump.h"

class CWaitingGump : public CGump {
public:
    BOOL IsWaitingGump() override { return TRUE; }
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }
};
