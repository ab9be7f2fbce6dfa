// The scrolling text box that shows the description of the current choice
// beside the profession gump and the starting-city map.  The box is a window
// of the communication dialogs, above the login screens: they install the
// maker at start-up, and the creation gumps reach it only through here.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CGump;

class HTMLBoxMaker {
public:
    static constexpr const char* kServiceName = "HTMLBoxMaker";
    virtual ~HTMLBoxMaker() = default;

    // A box made a child of owner, with the style flags, given the text and
    // placed at (x, y) with the size width x height; null when none was
    // made.  The owner deletes it with itself.
    virtual CGump* MakeHTMLBox(CGump* owner, int flags, const M_WORD* text, int x, int y,
                               int width, int height) = 0;
    // Deletes a box this maker made (null: nothing).
    virtual void DeleteHTMLBox(CGump* box) = 0;
};
