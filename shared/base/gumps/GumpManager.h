// The gump manager: the window stack of the client.  Only what its callers
// use so far is declared here.  It is not built yet: its operations are an
// installed service (GumpManagerService) that the static functions below
// reach; the slots it keeps are data of the gump framework.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CGump;
class CObj;
class CWaitingGump;

class GumpManagerService {
public:
    static constexpr const char* kServiceName = "CGumpManager";
    virtual ~GumpManagerService() = default;
    virtual void startup() = 0;
    virtual void shutdown() = 0;
    virtual void RecreateMainBitmap() = 0;
    virtual void Update() = 0;
    virtual CWaitingGump* OpenWaitingGump(const void* text, CGump* parent, int withButton,
                                          int logoutOnClose, int wideText) = 0;
    virtual void DrawAllGumps(const RECT& rect, int present) = 0;
    virtual BOOL IsGumpOpen(const void* gump) = 0;
    virtual void CloseDragGump() = 0;
    virtual CGump* OpenGump(CObj* object, int id, CGump* parent, int flag) = 0;
    virtual void OpenMailGump() = 0;
    virtual void CloseFlaggedGumps() = 0;
    virtual CGump* FindWindowGump(int window) = 0;
    virtual void ScrollMissiles(int dx, int dy) = 0;
    virtual void UpdateBarkPositions() = 0;
};

class CGumpManager {
public:
    static void startup() { Service().startup(); }
    static void shutdown() { Service().shutdown(); }
    // Releases the main bitmap, re-creates it at the display size and
    // clears it.
    static void RecreateMainBitmap() { Service().RecreateMainBitmap(); }
    // The per-tick update of every open gump.
    static void Update() { Service().Update(); }
    // A message box centred on the front end showing text (8-bit, or 16-bit
    // M_WORD text when wideText is set); it replaces the current waiting gump.
    static CWaitingGump* OpenWaitingGump(const void* text, CGump* parent, int withButton,
                                         int logoutOnClose, int wideText) {
        return Service().OpenWaitingGump(text, parent, withButton, logoutOnClose, wideText);
    }
    // Draws every gump that meets the screen rectangle over the frame and,
    // with present 1, presents it.
    static void DrawAllGumps(const RECT& rect, int present) {
        Service().DrawAllGumps(rect, present);
    }
    // The gump (any kind, compared by address) is still in the top-level list.
    static BOOL IsGumpOpen(const void* gump) { return Service().IsGumpOpen(gump); }
    // Deletes the drag gump of a held item, if there is one.
    static void CloseDragGump() { Service().CloseDragGump(); }

    // Opens, or brings to the front, the gump of that id for the object (or
    // none) and returns it (null when none was opened): 7 journal, 8 status,
    // 49 the amount gump, 5000 client configuration, 5010 the overview.
    static CGump* OpenGump(CObj* object, int id, CGump* parent, int flag) {
        return Service().OpenGump(object, id, parent, flag);
    }
    // Sends message-service command 9 and opens the mail gump.
    static void OpenMailGump() { Service().OpenMailGump(); }
    // Closes every gump that answers the close-on-death query.
    static void CloseFlaggedGumps() { Service().CloseFlaggedGumps(); }
    // The open gump of one of the macro windows (0 configuration, 1
    // paperdoll, 2 status, 3 journal, 4 skills, 5 spellbook, 6 chat, 7
    // backpack, 8 overview, 9 mail), found by the gumps' type queries, or
    // null.
    static CGump* FindWindowGump(int window) { return Service().FindWindowGump(window); }

    // Move the flying missiles with a scroll of the play area, and anchor
    // the speech texts again after it.
    static void ScrollMissiles(int dx, int dy) { Service().ScrollMissiles(dx, dy); }
    static void UpdateBarkPositions() { Service().UpdateBarkPositions(); }

    // The radar gump while it is open.
    static CGump* radarGump;
    // The open gump of the container the player wears on layer 29 (set by
    // that gump); walking closes it.
    static CGump* wornContainerGump;

private:
    static GumpManagerService& Service() { return tw::Service<GumpManagerService>::Get(); }
};
