// Key names: the window system's names of keysyms ("F1", "a", "Prior"), as
// "macros.txt" writes its keys.  The platform layer implements the service
// and main installs it before the macros are read.
#pragma once

#include "TWTypes.h"

class KeyNames {
public:
    static constexpr const char* kServiceName = "KeyNames";
    virtual ~KeyNames() = default;
    // The keysym of a name, 0 when the window system knows none.
    virtual M_DWORD KeySymFromName(const char* name) = 0;
    // The name of a keysym, null when it has none.
    virtual const char* KeySymName(M_DWORD keysym) = 0;
};
