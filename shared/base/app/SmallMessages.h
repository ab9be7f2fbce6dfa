// The small server messages that set one value, forward to one module or
// answer with one client message (the held-item flag, the combatant, the
// world light level, the pointing arrow, the popup help, the server's move,
// the edit-server check, the version queries), the login-complete message
// that enters the world, and the ones the client reads and does nothing
// with.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CGump;

// What entering and leaving the world and the popup help ask of the dialogs
// above the application: the saved desktop and the scrolling text window.
class WorldEntry {
public:
    static constexpr const char* kServiceName = "WorldEntry";
    virtual ~WorldEntry() = default;
    // The character's windows reopened where they were, and their places
    // saved when it leaves the world.
    virtual void LoadDesktop() = 0;
    virtual void SaveDesktop() = 0;
    // A scrolling text window of width x height at (x, y), on screen; null
    // when none opened.  text is NUL-terminated.
    virtual CGump* OpenScrollText(int x, int y, int width, int height, const M_WORD* text) = 0;
};

// Set when login completes (the world is shown); the logouts and the main
// menu clear them.
extern BOOL g_worldShown;
extern int g_gumpRootState;

// Registers their handlers in the packet table.
void InstallSmallMessageHandlers();

// Enters the world once the login is complete (message 0x55): reads
// "tw.cfg" again, loads the macros, closes every gump and reopens the saved
// desktop.
void CompleteLogin();

// The popup help window open now, or null (tests).
CGump* PopupHelpGump();
