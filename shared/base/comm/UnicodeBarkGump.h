// CUnicodeBarkGump: a Unicode text shown over an object, or as system text
// when the object is null.  Only what its callers use so far is declared
// here; it is not built yet (CommService makes it).
#pragma once

#include "TWTypes.h"
#include "comm/Comm.h"
#include "gumps/Gump.h"

class CDynamicObj;

class CUnicodeBarkGump : public CGump {
public:
    // Reads the speaker record (world/SpeakerRecord.h) set just before;
    // gump is the open gump that shows the object's holder, or null.  The
    // new gump puts itself on screen; the gump manager owns it.
    CUnicodeBarkGump(CDynamicObj* object, const M_WORD* text, int hue, int font,
                     const char* language, CGump* gump);

    // Makes one (the installed communication dialogs do).
    static void Show(CDynamicObj* object, const M_WORD* text, int hue, int font,
                     const char* language, CGump* gump) {
        comm::Service().ShowUnicodeBark(object, text, hue, font, language, gump);
    }
};
