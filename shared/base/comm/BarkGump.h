// CBarkGump: a text shown over an object.  Only what its callers use so far
// is declared here.
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class CBarkGump : public CGump {
public:
    // Attaches itself at the head of the object's texts (a free text when
    // the object is null).  It reads the speaker record of
    // world/SpeakerRecord.h.
    CBarkGump(CObj* object, const char* text, int hue, int font, CGump* ownerGump = nullptr,
              int value1 = 0, int value2 = 0);
    ~CBarkGump() override;

    // 0 for an ordinary text; other kinds are never removed as surplus.
    virtual int GetKind();
    // Moves the text with its object.
    void FollowOwner() override;
    // Re-stacks an object's texts.
    static void ArrangeStack(CBarkGump* first);
    // The text shown.
    const char* GetText();

    M_WORD hue = 0;
    M_WORD font = 0;
    int value1 = 0;
    int value2 = 0;
    // The next text of the same object.
    CBarkGump* nextText = nullptr;
};
