// The gump manager: the window stack of the client.  Only what its callers
// use so far is declared here.
#pragma once

#include "TWTypes.h"

class CGump;
class CWaitingGump;

class CGumpManager {
public:
    static void startup();
    static void shutdown();
    // Releases the main bitmap, re-creates it at the display size and
    // clears it.
    static void RecreateMainBitmap();
    // The per-tick update of every open gump.
    static void Update();
    // A message box centred on the front end showing text (8-bit, or 16-bit
    // M_WORD text when wideText is set); it replaces the current waiting gump.
    static CWaitingGump* OpenWaitingGump(const void* text, CGump* parent, int withButton,
                                         int logoutOnClose, int wideText);
    // Draws every gump that meets the screen rectangle over the frame and,
    // with present 1, presents it.
    static void DrawAllGumps(const RECT& rect, int present);
    // The gump (any kind, compared by address) is still in the top-level list.
    static BOOL IsGumpOpen(const void* gump);
    // Deletes the drag gump of a held item, if there is one.
    static void CloseDragGump();
};
