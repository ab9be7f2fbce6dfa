// The gump manager: the window stack of the client.
//
// A static class that owns the top-level gump list (g_gumpList is its head,
// tail its tail), the well-known single gumps, the active gump that receives
// keys, the modal gump that alone takes the mouse, and the drawing of every
// gump over the world picture (GumpDrawAll.cpp).  Its state lives from
// startup to shutdown; reset() restores it for tests.
//
// Every pointer to a gump that the manager keeps is cleared by ForgetGump,
// which the gump's destructor runs, so none outlives its gump.
#pragma once

#include <vector>

#include "TWTypes.h"
#include "gumps/GumpHandle.h"

class CGump;
class CObj;
class CWaitingGump;

// Where the drawing pass of one piece of the screen writes.  Screen pixel
// (x, y) of the piece lives at ring index y * width + x + offset of both
// buffers; for a piece the index never leaves 0 .. width * height - 1 (the
// ring split guarantees it), so no pointer outside the buffers is formed.
struct GumpDrawTarget {
    M_WORD* pixels = nullptr;  // the back buffer
    M_WORD* save = nullptr;    // the save buffer
    int width = 0;
    int height = 0;
    long offset = 0;

    bool active() const { return pixels != nullptr; }
    long Index(int x, int y) const { return static_cast<long>(y) * width + x + offset; }
};

// One area of the back buffer saved before the gumps are drawn over it.
struct GumpSaveRecord {
    long index;  // ring index of the rectangle's top-left pixel
    RECT rect;   // screen rectangle
};

// A window's saved place (the message-service windows); x of -1 means it was
// never placed.
struct SavedWindowPlace {
    int x = -1;
    int y = 0;
    int width = 0;
    int height = 0;
    BOOL minimized = FALSE;
};

class CGumpManager {
public:
    static constexpr int MAX_SAVE_RECORDS = 32768;
    static constexpr int CONTAINER_STAGGER = 16;

    static void startup();
    static void shutdown();
    // Releases the main back buffer unless it is released, allocates it
    // again at the display size, and sizes the save buffer with it.
    static void RecreateMainBitmap();
    static void OnLoginComplete() {}

    // ---- Once a frame --------------------------------------------------------
    static void Update();
    // Closes the speech gumps whose time is up.
    static void UpdateBarks();
    // After the view scrolled: the speech gumps follow their speakers.
    static void UpdateBarkPositions();
    // Moves every top-level missile gump with a scroll of the view.
    static void ScrollMissiles(int dx, int dy);

    // ---- Finding gumps -----------------------------------------------------------
    // The gump under a screen point, or null.  flag: a speech gump is taken
    // only when its speaker is a mobile or a corpse.
    static CGump* GetGumpAt(int x, int y, CGump* excluded, int flag);
    // The open gump that shows the object, from the list starting at head and
    // the children of each gump.
    static CGump* FindGump(CObj* object, BOOL wantPaperdoll, BOOL wantShop, CGump* head);
    // The gump (any kind, compared by address) is still in the top-level list.
    static BOOL IsGumpOpen(const void* gump);
    // The open gump of one of the macro windows (0 configuration, 1
    // paperdoll, 2 status, 3 journal, 4 skills, 5 spellbook, 6 chat, 7
    // backpack, 8 overview, 9 mail), found by the gumps' type queries, or
    // null.
    static CGump* FindWindowGump(int window);

    // ---- Opening -----------------------------------------------------------------
    // Opens, or brings to the front, the gump of that id for the object and
    // returns it; null when none was opened.  container: an id that is not
    // in the table makes a container window.
    static CGump* OpenGump(CObj* object, int id, CGump* parent, int container);
    // A message box (CWaitingGump) for owner, made the modal gump and
    // linked at the top.
    static CWaitingGump* OpenWaitingGump(const void* text, CGump* owner, int okButton, int large,
                                         int logout, int wideText = 0);
    static void OpenGMChatGump();
    static void OpenHTMLGump();
    static void OpenMailGump();
    // The pointing arrow (server message 0xBA).
    static void SetArrow(int x, int y, BOOL show);

    // ---- Activation ----------------------------------------------------------------
    static void SetActiveGump(CGump* gump);
    static void DeactivateGump();

    // ---- Closing in groups ---------------------------------------------------------
    static void CloseFlaggedGumps();
    static void CloseAllMissiles();
    static void CloseAllGumps();
    // Deletes the drag gump of a held item, if there is one.
    static void CloseDragGump();

    // ---- Container windows ---------------------------------------------------------
    static int GetContainerGumpId(int graphic);
    static void GetContainerBounds(int gumpArtId, RECT* rect);

    // ---- Drawing (GumpDrawAll.cpp, GumpTooltips.cpp) -------------------------------
    // Draws every visible gump over the back buffer within the screen
    // rectangle and, with present 1, presents the frame once and puts the
    // world pixels back.
    static void DrawAllGumps(const RECT& rect, int present);
    // The text of a tool-tip id through the language sections, or null.
    static const M_WORD* GetTooltipText(int tooltipId);
    // The tool-tip step of a drawing pass: makes, places or drops the tip.
    static void UpdateToolTip();
    // Puts a tool-tip beside the mouse: right of the cursor (cursorWidth
    // wide) on the left half, ending at the mouse on the right half; above
    // the mouse on the lower half.
    static void PlaceToolTip(CGump* tip, int mouseX, int mouseY, int cursorWidth);
    // Looks again for the tool-tip sections found missing (test support).
    static void ForgetToolTipSections();

    // ---- Closing one gump ----------------------------------------------------------
    // Clears every pointer to the gump that the client keeps (run by the
    // gump's destructor while it is still linked).
    static void ForgetGump(CGump* gump);

    // Test support: forgets every gump without closing it, frees the save
    // buffer and clears every reference and table.
    static void reset();

    // ---- State -------------------------------------------------------------------
    // The tail (back-most) of the top-level list; g_gumpList is its head.
    static CGump* tail;
    // The gump under the mouse (kept by the mouse manager).
    static CGump* mouseonGump;
    // When set, the only top-level gump the hit search considers.
    static CGump* modalGump;
    static CGump* helpTextGump;
    // The tool-tip made and closed inside one drawing pass.
    static CGump* toolTipGump;
    // The message box the login flow keeps.
    static CGump* pWaitingGump;
    // Single gumps.
    static CGump* configGump;
    static CGump* radarGump;
    static CGump* skillGump;
    static CGump* fightingGump;
    static CGump* arrowGump;
    static CGump* pChatGump;
    static CGump* pGMChatGump;
    static CGump* pHTMLGump;
    static CGump* pMailGump;
    // The open gump of the container the player wears on layer 29 (set by
    // that gump); walking closes it.
    static CGump* wornContainerGump;
    // Place of the last staggered container window.
    static int containerStaggerX;
    static int containerStaggerY;
    // 1 while the main back buffer is released.
    static BOOL mainBitmapReleased;
    static SavedWindowPlace gmChatPlace;
    static SavedWindowPlace htmlPlace;
    static SavedWindowPlace mailPlace;

    // Drawing state: the save buffer (sized with the back buffer), the
    // target of the piece being drawn, the save records and whether they ran
    // out, and the rectangle last presented.
    static std::vector<M_WORD> saveBuffer;
    static GumpDrawTarget drawTarget;
    static std::vector<GumpSaveRecord> saveRecords;
    static BOOL saveRecordsOverflowed;
    // At most this many records (MAX_SAVE_RECORDS; tests lower it).
    static int saveRecordLimit;
    static RECT presentRect;
    // Tool-tip state: the gump last seen under the mouse and since when.
    static CGump* toolTipCandidate;
    static M_DWORD toolTipCandidateSince;

    // Sizes the save buffer for a back buffer of width x height.
    static void SizeSaveBuffer(int width, int height);
};
