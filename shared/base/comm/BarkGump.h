// Text shown over an object, or as a free text.  Only what its callers use so
// far is declared here.
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class CObj;

class CBarkGump : public CGump {
public:
    // A text over owner (a free text when owner is null) in a hue and font;
    // parent and kind are kept with it.
    CBarkGump(CObj* owner, const char* text, M_WORD hue, M_WORD font, CGump* parent = nullptr,
              int kind = 0);
};
