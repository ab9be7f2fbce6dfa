// The play-area gump that turns the mouse into walking and actions.  Only
// what its callers use so far is declared here.  It is not built yet: its
// operations reach the installed MapGumpService.
#pragma once

#include "Service.h"
#include "gumps/Gump.h"

class CMapGump;

class MapGumpService {
public:
    static constexpr const char* kServiceName = "CMapGump";
    virtual ~MapGumpService() = default;
    virtual CMapGump* MakeMapGump() = 0;
    virtual void ForgetObjectUnderPointer() = 0;
};

class CMapGump : public CGump {
public:
    // The play-area gump; it links itself into the top-level list.
    static CMapGump* Make() { return tw::Service<MapGumpService>::Get().MakeMapGump(); }

    // Forgets the object under the pointer and repaints it (war mode
    // changed).
    static void ForgetObjectUnderPointer() {
        tw::Service<MapGumpService>::Get().ForgetObjectUnderPointer();
    }
};
