// CUnicodeBarkGump: a bark (comm/BarkGump.h) of 16-bit text, measured and
// drawn in the configured bark font (BarkFontNumber) with a dark outline.
#pragma once

#include <vector>

#include "TWTypes.h"
#include "comm/BarkGump.h"
#include "comm/Comm.h"

class CDynamicObj;

class CUnicodeBarkGump : public CBarkGump {
public:
    // Reads the speaker record (world/SpeakerRecord.h) set just before;
    // gump is the open gump that shows the object's holder, or null.  A null
    // language gives "enu".  The new gump puts itself on screen; the gump
    // manager owns it.
    CUnicodeBarkGump(CDynamicObj* object, const M_WORD* text, int hue, int font,
                     const char* language, CGump* gump);

    int GetKind() override { return 0; }
    void RenderText(int textHue) override;

    // Makes one (the installed communication dialogs do).
    static void Show(CDynamicObj* object, const M_WORD* text, int hue, int font,
                     const char* language, CGump* gump) {
        comm::Service().ShowUnicodeBark(object, text, hue, font, language, gump);
    }
    // Makes one and deletes it at once when its owner lies in a closed
    // container.
    static void Create(CDynamicObj* object, const M_WORD* text, int hue, int font,
                       const char* language, CGump* gump);

protected:
    Size Measure(int wrapWidth) override;

private:
    std::vector<M_WORD> wide_;
};
