// The gumps the screen code puts up that belong to the modules above the
// view: the "You are dead." text of the death fade (a bark gump of the
// communication dialogs) and the main menu of the login screens.  The
// application implements this interface, handing each on to its module, and
// main installs it at start-up.
#pragma once

class CGump;
class CMainMenuGump;

class ScreenGumps {
public:
    static constexpr const char* kServiceName = "ScreenGumps";
    virtual ~ScreenGumps() = default;

    // A free text (over no object) in that hue and font; it puts itself on
    // screen and the gump manager owns it.
    virtual CGump* MakeFreeText(const char* text, int hue, int font) = 0;
    // The main menu gump, made and put in the top-level list.
    virtual CMainMenuGump* OpenMainMenuGump() = 0;
};
