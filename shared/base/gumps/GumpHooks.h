// What the gump framework asks of the modules above it.
//
// The framework opens dialog gumps by id, repaints the screen, asks whether
// the client is in the world and lets the front end forget a closing gump;
// those modules (the world view, the login front end, the game and
// communication dialogs, the application) lie above it.  Each asks through
// one of these interfaces, which the higher modules implement and main
// installs at start-up; until a module is built, its stand-in of
// shared/base/pending/ is installed.  The framework reaches them only through
// tw::Service<I>::Get(); tests install recording doubles.
#pragma once

#include <string>

#include "Service.h"
#include "TWTypes.h"

class CGump;
class CObj;
class CWaitingGump;

// Makes the gumps that the gump manager opens but does not build itself.
// Every method returns the new gump, not yet linked (the manager links it),
// or null when it cannot be made.
class GumpFactory {
public:
    static constexpr const char* kServiceName = "GumpFactory";
    virtual ~GumpFactory() = default;

    // The journal (gump id 7).
    virtual CGump* CreateTextGump(int x, int y) = 0;
    // The status gump of an object: flag 0 for the player, 1 for any other.
    virtual CGump* CreateStatusGump(CObj* object, int flag) = 0;
    virtual CGump* CreatePaperdollGump(int x, int y, CGump* parent, CObj* object, int frames,
                                       int width, int height, const char* name, int flag) = 0;
    virtual CGump* CreateShopGump(int x, int y, CObj* object) = 0;
    // The amount gump of a stack that is picked up.
    virtual CGump* CreateStackGump(int x, int y, CObj* object) = 0;
    // The options window (gump id 5000).
    virtual CGump* CreateOptionsGump() = 0;
    virtual CGump* CreateRadarGump(int x, int y, int id) = 0;
    virtual CGump* CreateContainerGump(int x, int y, CGump* parent, CObj* object, int frames,
                                       int width, int height, int gumpId) = 0;
    // The pointing arrow at a map point, shown or not.
    virtual CGump* CreatePointGump(int x, int y, BOOL show) = 0;
    // The message-service windows; each registers itself as the manager's
    // window of its kind.
    virtual CGump* CreateGMChatGump(int x, int y, int width, int height) = 0;
    virtual CGump* CreateHTMLGump(int x, int y, int width, int height) = 0;
    virtual CGump* CreateMailGump(int x, int y, int width, int height) = 0;
    // The text sent with the help chat's opening command: the page number in
    // decimal, a blank and the stored question.
    virtual std::string HelpChatRequestText() = 0;
    // The address of the account web page that the HTML window opens.
    virtual std::string AccountPageAddress() = 0;
    // Fills the table of built-in skill group labels (start-up).
    virtual void LoadSkillGroups() = 0;
};

// The world view's screen.
class GumpScreen {
public:
    static constexpr const char* kServiceName = "GumpScreen";
    virtual ~GumpScreen() = default;

    // Marks the whole screen dirty (the world is painted anew next frame).
    virtual void InvalidateScreen() = 0;
    // Resets the view's scroll state and invalidates the whole screen.
    virtual void ResetScroll() = 0;
    // The per-frame step of the mobiles' animations, run before a present.
    virtual void StepMobileAnimations() = 0;
    // Help on hover: asks the server for help on the object under the
    // pointer once it has rested there (the view knows what is drawn where).
    virtual void UpdateHelpHovering() = 0;
};

// The application and the login front end.
class GumpSession {
public:
    static constexpr const char* kServiceName = "GumpSession";
    virtual ~GumpSession() = default;

    // Set once login completes, cleared on logout.
    virtual BOOL IsInWorld() = 0;
    // The player exists and is in war mode (the cursor's shapes).
    virtual BOOL PlayerAtWar() = 0;
    // Rebuilds the speech input line's prompt (it shows whether a gump or
    // the line takes the keys).
    virtual void UpdateInputPrompt() = 0;
    // Leaves the world for the main menu (a message box's button after the
    // connection was lost).
    virtual void LogoutFromWorld() = 0;
    // A gump is closing: every pointer to it kept above the framework (the
    // front end's gumps, the mouse capture, the drag gump's highlight) must
    // be cleared here.  The gump is still linked and the manager's references
    // still name it, but its own part is gone: compare the pointer, never ask
    // the gump what it is.
    virtual void ForgetGump(CGump* gump) = 0;
};
