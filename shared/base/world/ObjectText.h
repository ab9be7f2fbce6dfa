// Texts over objects, as the object that shows them sees them.
//
// A text over an object is a bark gump of the communication dialogs (a
// CGump that also is an ObjectText).  The object keeps its texts in a chain,
// newest first, and decides which of them go (the surplus rule, a cleared or
// replaced text, the texts kept while the server sends an object again); the
// communication dialogs make the texts, place and draw them.  They implement
// ObjectTexts and main installs it at start-up.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CGump;
class CObj;

class ObjectText {
public:
    virtual ~ObjectText() = default;

    // 0 for an ordinary text, which the surplus rule may delete to make
    // room; texts of another kind are kept.
    virtual int GetKind() = 0;
    // Moves the text with its object.
    virtual void FollowOwner() = 0;
    // The text shown.
    virtual const char* GetText() = 0;

    M_WORD hue = 0;
    M_WORD font = 0;
    // The two values a text is made with (the first is its kind); saved
    // with it.
    int value1 = 0;
    int value2 = 0;
    // The next text of the same object.
    ObjectText* nextText = nullptr;
};

// Set while an object deletes its texts: the texts then leave the object's
// list alone.
extern BOOL g_objectDeletingTexts;

class ObjectTexts {
public:
    static constexpr const char* kServiceName = "ObjectTexts";
    virtual ~ObjectTexts() = default;

    // A new text, attached at the head of the object's texts (a free text
    // when the object is null); ownerGump is the gump in which the object is
    // shown, or null.  It reads the speaker record of the speech display set
    // just before.
    virtual ObjectText* MakeText(CObj* object, const char* text, int hue, int font,
                                 CGump* ownerGump, int value1, int value2) = 0;
    // Fits an object's whole chain of texts into the window.
    virtual void ArrangeStack(ObjectText* first) = 0;
};

namespace world {
inline ObjectTexts& Texts() {
    return tw::Service<ObjectTexts>::Get();
}
}  // namespace world
