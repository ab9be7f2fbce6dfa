// The gump manager: the window stack of the client.  Only what its callers
// use so far is declared here.
#pragma once

#include "TWTypes.h"

class CGump;
class CObj;
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

    // Opens, or brings to the front, the gump of that id for the object (or
    // none) and returns it (null when none was opened): 7 journal, 8 status,
    // 49 the amount gump, 5000 client configuration, 5010 the overview.
    static CGump* OpenGump(CObj* object, int id, CGump* parent, int flag);
    // Sends message-service command 9 and opens the mail gump.
    static void OpenMailGump();
    // Closes every gump that answers the close-on-death query.
    static void CloseFlaggedGumps();
    // The open gump of one of the macro windows (0 configuration, 1
    // paperdoll, 2 status, 3 journal, 4 skills, 5 spellbook, 6 chat, 7
    // backpack, 8 overview, 9 mail), found by the gumps' type queries, or
    // null.
    static CGump* FindWindowGump(int window);

    // Move the flying missiles with a scroll of the play area, and anchor
    // the speech texts again after it.
    static void ScrollMissiles(int dx, int dy);
    static void UpdateBarkPositions();

    // The radar gump while it is open.
    static CGump* radarGump;
    // The open gump of the container the player wears on layer 29 (set by
    // that gump); walking closes it.
    static CGump* wornContainerGump;
};
