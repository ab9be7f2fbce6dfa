// CBarkGump: a text shown over an object, one of the object's texts
// (world/ObjectText.h).  Only what its callers use so far is declared here;
// it is not built yet (its stand-in is in shared/base/pending/, and the
// world model makes the texts through the installed ObjectTexts).
#pragma once

#include "TWTypes.h"
#include "comm/Comm.h"
#include "gumps/Gump.h"
#include "world/ObjectText.h"

class CBarkGump : public CGump, public ObjectText {
public:
    // Attaches itself at the head of the object's texts (a free text when
    // the object is null).  The first value is the text's kind.  It reads
    // the speaker record of world/SpeakerRecord.h.
    CBarkGump(CObj* object, const char* text, int hue, int font, CGump* ownerGump = nullptr,
              int value1 = 0, int value2 = 0);
    ~CBarkGump() override;

    // 0 for an ordinary text; other kinds are never removed as surplus.
    int GetKind() override;
    // Moves the text with its object.
    void FollowOwner() override;
    // Re-stacks an object's texts.
    static void ArrangeStack(CBarkGump* first);
    // The text shown.
    const char* GetText() override;

    // Makes one (the installed communication dialogs do).
    static CGump* Make(CObj* object, const char* text, int hue, int font) {
        return comm::Service().MakeBarkGump(object, text, hue, font);
    }
};
