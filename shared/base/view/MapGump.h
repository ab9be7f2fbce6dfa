// The play-area gump that turns the mouse into walking and actions.  Only
// what its callers use so far is declared here.
#pragma once

#include "gumps/Gump.h"

class CMapGump : public CGump {
public:
    CMapGump();

    // Forgets the object under the pointer and repaints it (war mode
    // changed).
    static void ForgetObjectUnderPointer();
};
