// The play-area gump that turns the mouse into walking and actions.  Only
// what its callers use so far is declared here.
#pragma once

class CMapGump {
public:
    // Forgets the object under the pointer and repaints it (war mode
    // changed).
    static void ForgetObjectUnderPointer();
};
