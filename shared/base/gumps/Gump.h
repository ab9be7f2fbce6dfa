// The gump framework: every window of the client is a CGump.
//
// What this folder owns: the gump base class (this header), the gump manager
// with its top-level list, the drawing of all gumps over the world picture
// and the tool-tips (GumpManager.h), the tool-tip box (ToolTipGump.h), the
// case-blind text search (UnicodeSearch.h), effect sequences (Sequence.h),
// the weather's particles (Weather.h), and the unbuilt neighbours of the
// same subsystem (mouse manager, input line, text manager).
//
// How it meets its neighbours.  Below it lie the base services, the strings,
// the resources (gump art, blitters, Unicode fonts), the world model (the
// objects a gump shows) and the network core; the gump code calls them
// directly.  Above it lie the world view, the login front end, the game and
// communication dialogs and the application.  The few things the framework
// asks of them (making a dialog gump, repainting the screen, the in-world
// flag, the minimize buttons, forgetting a closing gump) go through the
// interfaces of GumpHooks.h, which main installs at start-up.  The world
// model meets the gumps through world/GumpHooks.h, which this folder
// implements (WorldGumps.h), so that the world never names a gump's class.
// The parts of the subsystem not built yet (the drag gump, the cursor's
// pictures, the text manager, the speech input line) are installed
// services declared in their headers; main installs the stand-ins of
// shared/base/pending/ and tests install recording doubles.
//
// A gump is a rectangle with its own 16-bit pixel frames, a position relative
// to its parent, and links that put it in exactly one list: its parent's
// children or the manager's top-level list.  The head of a list is the
// front-most gump: drawing runs from the tail to the head, hit searches from
// the head to the tail.  A parent owns its children, the top-level list owns
// the top-level gumps, and a gump is freed only by `delete`, which closes its
// children first and then forgets the gump everywhere a pointer to it is
// kept (GumpManager.h, CGumpManager::ForgetGump), so no kept pointer outlives
// it.  Everything here runs on the main thread.
#pragma once

#include "MemoryManager.h"
#include "Service.h"
#include "TWTypes.h"
#include "gumps/DialogCallbackList.h"

class CObj;

// One entry of a gump's frame table: a reserved word and the pixel block.
// A block is u16 width, u16 height, then height rows of FramePitch(width)
// 16-bit pixels in the back buffer's pixel format.
struct GumpFrame {
    M_DWORD reserved = 0;
    M_WORD* block = nullptr;
};

// Pixels per row of a frame block: the width rounded up to a multiple of 8.
// Every blit of a frame uses this pitch.
constexpr int FramePitch(int width) {
    return width > 0 ? (width + 7) & ~7 : 0;
}

// No tool-tip text: the art id serves instead.
constexpr int NO_TOOLTIP_ID = -123;

class CGump;
class CSequence;

// The part of the subsystem that every window meets and that is not built
// yet: the drag gump of a held item.
class GumpService {
public:
    static constexpr const char* kServiceName = "CGump";
    virtual ~GumpService() = default;
    // A new drag gump (CDragGump) for the item just picked up.
    virtual CGump* MakeDragGump() = 0;
};

class CGump {
public:
    CGump();
    // The sized gump: frameCount zeroed frame-table entries (the blocks are
    // made by the derived class, NewFrameBlock), not yet linked anywhere.
    CGump(int x, int y, CGump* parent, CObj* owner, int frameCount, int width, int height);
    // Closes the children, then forgets the gump wherever a pointer to it is
    // kept, unlinks it and frees its frames.
    virtual ~CGump();
    CGump(const CGump&) = delete;
    CGump& operator=(const CGump&) = delete;

    // ---- Links ---------------------------------------------------------------
    // Links the gump at the head of the parent's children, or of the
    // top-level list when parent is null.  A gump that is already in a list
    // is refused with a log line.  The flag is not used.
    BOOL PutInGump(CGump* parent, BOOL show = TRUE);
    // Raises the gump to the head of its list (flag 0 also ends the input of
    // an active gump that is not its child).
    static void BringToFront(CGump* gump, int flag);
    // Minimizes and restores a gump, for the callers that name one (the
    // desktop loader, macros, the gump manager); the buttons store the
    // members Minimize() and Restore() of the callback library below.
    static void Minimize(CGump* gump);
    static void Restore(CGump* gump);

    // ---- Coordinates and hit tests ------------------------------------------
    // Add (subtract) the positions along the parent chain, and the game
    // area's screen position once when a gump of the chain lies in the game
    // area.  A null gump leaves the point alone.
    static void GumpToScreenCoords(CGump* gump, int* x, int* y);
    static void ScreenToGumpCoords(CGump* gump, int* x, int* y);
    // The front-most descendant under a point relative to this gump
    // (this gump when no child is hit), or null when this gump is missed.
    virtual CGump* GetGumpAt(int x, int y, CGump* excluded, int flag);
    // TRUE when the point (relative to the gump) hits it.
    virtual BOOL HitTest(int x, int y);
    // The gump's rectangle on the screen (its minimized size while
    // minimized).
    RECT ScreenRect();
    int DrawWidth() const { return minimized ? minimizedWidth : width; }
    int DrawHeight() const { return minimized ? minimizedHeight : height; }

    // ---- Drawing (GumpDraw.cpp) ----------------------------------------------
    // The save pass: copies the back-buffer pixels under the gump, within the
    // dirty rectangle, into the save buffer.  Top-level gumps only.
    virtual void Draw(const RECT& dirty);
    // The draw pass: the current frame, then the children back to front,
    // each clipped to its parent.
    virtual void DrawContents(const RECT& dirty);

    // Moves the gump (top TRUE) or carries it along with its parent (top
    // FALSE), with its children and the speech gumps it owns, and grows rect
    // to cover the old and the new places; clamp keeps part of a top-level
    // gump on the screen.
    void MoveBy(int dx, int dy, BOOL top, RECT& rect, BOOL clamp);

    // ---- Frames ----------------------------------------------------------------
    // A zeroed block of width x height for frame `index` (an older block there
    // is freed); null when the index is outside the table or the size is not
    // positive.
    M_WORD* NewFrameBlock(int index, int width, int height);
    // The pixels of frame `index`, and its block's size; null (0) when the
    // frame has no block.
    M_WORD* FramePixels(int index) const;
    int FrameWidth(int index) const;
    int FrameHeight(int index) const;

    // ---- Events and operations (all default to doing nothing) -----------------
    // Coordinates are relative to the gump's top-left corner.
    virtual void HandleLButtonDown(int x, int y) { (void)x, (void)y; }
    virtual void HandleLButtonUp(int x, int y) { (void)x, (void)y; }
    virtual void HandleRButtonDown(int x, int y) { (void)x, (void)y; }
    virtual void HandleRButtonUp(int x, int y) { (void)x, (void)y; }
    // Every frame to the gump under the mouse.
    virtual void HandleMouseMove(int x, int y) { (void)x, (void)y; }
    // The mouse left the gump: the plain cursor again.
    virtual void HandleMouseMoveAway();
    // Every frame to the gump that holds the mouse capture.
    virtual void HandleMouseDrag(int x, int y) { (void)x, (void)y; }
    virtual void Tick() {}
    // A thumb (or slider) moved to position of range, or was let go there.
    virtual void HandleScroll(int position, int range, CGump* thumb) {
        (void)position, (void)range, (void)thumb;
    }
    virtual void HandleScrollEnd(int position, int range, CGump* thumb) {
        (void)position, (void)range, (void)thumb;
    }
    virtual void Resize(int newWidth, int newHeight, int flag) {
        (void)newWidth, (void)newHeight, (void)flag;
    }
    virtual void RequestHelp(int x, int y) { (void)x, (void)y; }
    // Takes a key code (navigation keys arrive as 0xE000 + code).
    virtual int HandleKey(int code) {
        (void)code;
        return 0;
    }
    // A child control was used (for a key-capture field: a key was
    // captured).
    virtual void HandleButton(CGump* child) { (void)child; }
    virtual void OnActivate() {}
    virtual void OnAccept() {}
    virtual void OnCancel() {}
    virtual void HandleChildEvent(CGump* child) { (void)child; }
    // An input field was double-clicked (a list's entry chosen).
    virtual void SelectEntry(CGump* field) { (void)field; }
    // Once a frame on every top-level gump.
    virtual void UpdateState() {}
    virtual void Reveal() {}
    // A list-mode input field asks for its list of values.
    virtual void OpenListBox(CGump* field) { (void)field; }
    // The text number of the gump's tool-tip at the mouse position (screen
    // coordinates): the tool-tip id, or the art id when none was set.
    virtual int GetTooltipId(int mouseX, int mouseY);
    virtual void HandleButtonPress(int id) { (void)id; }
    // The key-capture queries a parent answers: whether it captures keys
    // and which child is its capture field.
    virtual BOOL CapturesKeys() { return FALSE; }
    virtual CGump* GetKeyCaptureField() { return nullptr; }
    // A gump that keeps its own sorted view of a container, and rebuilds it.
    virtual BOOL KeepsSortedView() { return FALSE; }
    virtual void RebuildSortedView() {}

    // ---- What the manager asks of particular kinds ---------------------------
    // Each kind answers for itself what the Parts have the manager do by a
    // type test; the defaults do nothing.
    // Ends the gump's text input when it stops being the active gump: edit
    // fields commit, input controls redraw without their cursor.
    virtual void Deactivate() {}
    // Speech gumps: TRUE once their lifetime is over at `now` (ms); FollowOwner
    // keeps them over their speaker after the view scrolled, ArrangeStack
    // re-stacks a chain of them (its head does).
    virtual BOOL LifetimeOver(M_DWORD now) {
        (void)now;
        return FALSE;
    }
    virtual void FollowOwner() {}
    virtual void ArrangeStack() {}
    // The radar: per-frame redraw and the blink of the player's pixel.
    virtual void Update() {}
    virtual void Animate() {}
    // The pointing arrow: the map point it points at.
    virtual void SetTarget(int targetX, int targetY) { (void)targetX, (void)targetY; }
    // A shop gump's bill gump, raised with it.
    virtual CGump* GetBillGump() { return nullptr; }
    // The status gump's bar: the x of its first and second border parts and
    // the y of its third and fourth, which keep it on screen when it moves.
    virtual BOOL GetBarBorders(int* left, int* right, int* top, int* bottom) {
        (void)left, (void)right, (void)top, (void)bottom;
        return FALSE;
    }
    // A button serves either the normal or the minimized state of its parent.
    virtual BOOL ServesMinimizedState() { return FALSE; }
    // The item graphic (graphic + increment) whose static art an item-art gump
    // is hit-tested on: the owner object's, or -1 without one.  The drag gump
    // answers the held object's.
    virtual int GetItemArtGraphic();
    // A missile keeps its own world coordinates; a scroll of the view moves
    // them (the gump's position is moved by the manager).
    virtual void ScrollBy(int dx, int dy) { (void)dx, (void)dy; }

    // ---- Type queries: TRUE only in the class they name -----------------------
    virtual BOOL AcceptsItems() { return FALSE; }
    virtual BOOL IsInGameArea() { return FALSE; }
    virtual BOOL IsGenericGump() { return FALSE; }
    virtual BOOL IsMapGump() { return FALSE; }
    virtual BOOL IsEdgeGump() { return FALSE; }
    virtual BOOL IsInputGump() { return FALSE; }
    virtual BOOL IsPaperdollGump() { return FALSE; }
    // TRUE: pixel value 0 of the frame is transparent for drawing and hits.
    virtual BOOL UsesPixelHitTest() { return TRUE; }
    // TRUE: closed with the others (CGumpManager::CloseFlaggedGumps).
    virtual BOOL IsDisposable() { return TRUE; }
    virtual BOOL IsBarkGump() { return FALSE; }
    // TRUE: hit-tested on the static art of the owner object (or of the held
    // object for a drag gump) instead of the frame.
    virtual BOOL ShowsItemArt() { return FALSE; }
    virtual BOOL IsDragGump() { return FALSE; }
    virtual BOOL IsChatWindow() { return FALSE; }
    virtual BOOL IsGMChatWindow() { return FALSE; }
    virtual BOOL IsChatPart() { return FALSE; }
    virtual BOOL IsHTMLGump() { return FALSE; }
    virtual BOOL IsHTMLBox() { return FALSE; }
    virtual BOOL IsChatControl() { return FALSE; }
    virtual BOOL IsContainerGump() { return FALSE; }
    virtual BOOL IsTextGump() { return FALSE; }
    virtual BOOL IsThumbGump() { return FALSE; }
    virtual BOOL IsStackGump() { return FALSE; }
    virtual BOOL IsShopGump() { return FALSE; }
    virtual BOOL IsBillGump() { return FALSE; }
    virtual BOOL IsButtonGump() { return FALSE; }
    virtual BOOL IsStatusGump() { return FALSE; }
    virtual BOOL IsTargetGump() { return FALSE; }
    virtual BOOL IsSkillGump() { return FALSE; }
    virtual BOOL IsCourseGump() { return FALSE; }
    virtual BOOL IsCharCreationGump() { return FALSE; }
    virtual BOOL IsCharStatGump() { return FALSE; }
    virtual BOOL IsClientCfgGump() { return FALSE; }
    virtual BOOL IsOptionsGump() { return FALSE; }
    virtual BOOL IsToggleControlGump() { return FALSE; }
    virtual BOOL IsInputControlGump() { return FALSE; }
    virtual BOOL IsUnicodeInputControl() { return FALSE; }
    virtual BOOL IsBookGump() { return FALSE; }
    virtual BOOL IsSpellBookGump() { return FALSE; }
    virtual BOOL IsMacroCmdGump() { return FALSE; }
    virtual BOOL IsBBGump() { return FALSE; }
    virtual BOOL IsBBLineGump() { return FALSE; }
    virtual BOOL IsBBMsgGump() { return FALSE; }
    virtual BOOL IsFightingGump() { return FALSE; }
    virtual BOOL IsMissileGump() { return FALSE; }
    // TRUE: BringToFront leaves the gump where it is.
    virtual BOOL IsPinned() { return FALSE; }
    virtual BOOL IsSignGump() { return FALSE; }
    virtual BOOL IsHueGump() { return FALSE; }
    virtual BOOL IsEditListGump() { return FALSE; }
    virtual BOOL IsUnicodeEditListGump() { return FALSE; }
    virtual BOOL IsSpellIconGump() { return FALSE; }
    virtual BOOL IsWaitingGump() { return FALSE; }
    virtual BOOL IsRadarGump() { return FALSE; }
    virtual BOOL IsTradeGump() { return FALSE; }
    virtual BOOL IsToolTipGump() { return FALSE; }
    virtual BOOL IsProfileGump() { return FALSE; }
    virtual BOOL IsPointGump() { return FALSE; }
    virtual BOOL IsCPointGump() { return FALSE; }
    virtual BOOL IsAcctLoginGump() { return FALSE; }
    // The front-end gump that carries the logout button of the front-end
    // column (the account login).
    virtual BOOL IsFrontEndGump() { return FALSE; }

    // The owner object is a mobile or a corpse (a speech gump's speaker).
    BOOL OwnerIsMobileOrCorpse() const;

    // ---- The world model's news about the objects a gump shows --------------
    // Each kind of gump answers its own and the others do nothing.
    // A container gump shows a new object of its container, and places
    // again the objects that fall in an area an object left.
    virtual void AddToGump(CObj* object) { (void)object; }
    virtual void AddContents(const RECT& area) { (void)area; }
    // A paperdoll marks itself for rebuilding (its mobile's equipment
    // changed).
    virtual void Invalidate() {}
    // A shop gump in its second state ignores removals; otherwise it drops
    // an item of its list, then redraws.
    virtual BOOL IgnoresRemovals() { return FALSE; }
    virtual void RemoveItem(M_DWORD serial) { (void)serial; }
    virtual void RedrawFrame() {}
    // A bulletin board removes the entry of one of its messages.
    virtual void RemoveMessage(CGump* messageGump) { (void)messageGump; }
    // The radar redraws its picture.
    virtual void RenderMap() {}
    // The amount gump puts its slider in the middle and lays itself out.
    virtual void CenterAmountSlider() {}
    // The secure-trade gump's serial, which names the trade in the trade
    // messages; 0 for other gumps.
    virtual M_DWORD GetTradeSerial() { return 0; }

    // ---- The button-callback library -------------------------------------------
    // Buttons store these members (GumpCallback, ButtonGump.h) and call them
    // on the gump that holds the button.  The first group belongs to the
    // login front end, which defines them (login/ButtonCallbacks.cpp); the
    // framework itself never calls them.
    void Close();
    void ForwardButtonPress();
    void Connect();
    void BackToMainMenu();
    void LogoutToMainMenu();
    void LogoutFromCharSelect();
    void LogoutFromWorld();
    void ExitProgram();
    void ShowCredits();
    void OpenSupportPage();
    void OpenSignUpPage();
    void OpenMainWebSite();
    void OpenAccountPage();
    void ShardBackToMainMenu();
    void PlayDefaultShard();
    void PlaySelectedShard();
    void AskPlayChar();
    void AskDeleteChar();
    void NewChar();
    void BackToShardList();
    void PlayChar();
    void DelChar();
    void QuitPrompt();
    void QuitConfirmed();
    void DeferredCompleteLogin();
    // The answers to the play area's questions before harmful acts
    // (login/PlayAreaWarnings.cpp).
    void CancelTargetAndClose();
    void ConfirmTarget();
    void ConfirmAttack();

    // The shared window buttons and the callbacks of the game and
    // communication windows.  Those whose window lies above the framework
    // are defined where that window lives (comm/ for the text, tips and
    // resize handles, app/ for the paperdoll's requests); those of dialogs
    // that hold all their own state hand over through DialogCallbacks
    // (gumps/DialogCallbacks.h).
    void Minimize();
    void Restore();
    void DeathMenuChoice1();
    void DeathMenuChoice2();
    void OpenOptions();
    void OpenTextGump();
    void OptionsCancel();
    void PaperdollHelp();
    void PaperdollStatus();
    void PaperdollChat();
    void ToggleWarMode();
    void UseSkill();
    void TextReflow();
    void TextScrollUp();
    void TextScrollDown();
    void TipPrev();
    void TipNext();
    void ResizeSkillGump();
    void ResizeTextGump();
    void ResizeBBMsgGump();
    void ResizeGMChatGump();
    void ResizeFrameGump();
    void ResizeWindow();
    void ResizeChatWindow();
    void ResizeChatPane();
#define TW_DECLARE_DIALOG_CALLBACK(name) void name();
    TW_DIALOG_CALLBACKS(TW_DECLARE_DIALOG_CALLBACK)
#undef TW_DECLARE_DIALOG_CALLBACK

    // ---- Fields ----------------------------------------------------------------
    // 0xfeedbeef while the gump lives, 0 once its destructor has run.
    M_DWORD validation = MemoryManager::VALID_OBJECT_BIT_PATTERN;
    const char* name = "normal gump";
    // Written by child buttons (their owner value when they fire; 0 on every
    // press and release).
    int buttonValue = 0;
    int clickField = 0;
    int currentFrame = 0;
    int frameCount = 0;
    // Pixels per row of the gump's own frames: FramePitch(width).
    int pitch = 0;
    int width = 0;
    int height = 0;
    int minimizedWidth = 0;
    int minimizedHeight = 0;
    // Position relative to the parent (top level: the screen, or the game
    // area when IsInGameArea).
    int x = 0;
    int y = 0;
    // The object the gump shows, or null.
    CObj* owner = nullptr;
    GumpFrame* frames = nullptr;
    CGump* next = nullptr;
    CGump* prev = nullptr;
    CGump* firstChild = nullptr;
    CGump* parent = nullptr;
    CGump* lastChild = nullptr;
    // Gump art drawn into the frame by the derived class and hit-tested
    // instead of the frame; -1 none.
    int artId = -1;
    // On a child, the page it belongs to (0 = every page); on a parent, the
    // page shown.
    M_BYTE page = 0;
    BOOL drawn = FALSE;
    BOOL minimized = FALSE;
    BOOL visible = TRUE;
    int restoreX = 0;
    int restoreY = 0;
    int iconX = 0;
    int iconY = 0;
    // The minimized-icon place taken from the shared table (0, 0 = none).
    int iconSlotX = 0;
    int iconSlotY = 0;
    int tooltipId = NO_TOOLTIP_ID;
    // Where (in gump coordinates) the left button went down on the gump, for
    // the controls that follow a drag.
    int grabX = 0;
    int grabY = 0;
    // The gump this one speaks for (speech) or waits on (message boxes), or
    // null; cleared when that gump closes.
    CGump* ownerGump = nullptr;
    // The next gump of the chain a mobile owns.
    CGump* nextOwned = nullptr;
    // 0 blocks the gump's input while a request or a message box is pending.
    BOOL inputEnabled = TRUE;

private:
    void FreeFrames();
};

// Rectangles are (left, top, right, bottom) with right and bottom
// exclusive.  RectsIntersect: the two overlap.  IntersectRect: out = a
// clipped to b (edges of b where a's lie outside it).
BOOL RectsIntersect(const RECT& a, const RECT& b);
void IntersectRect(const RECT& a, const RECT& b, RECT* out);
BOOL RectIsEmpty(const RECT& r);
// Grows r to cover add; a rectangle of all zeros counts as empty.
void UnionRect(RECT& r, const RECT& add);

// Draws gump art with its top-left corner at screen (x, y) into the piece of
// the screen being drawn (CGumpManager::DrawAllGumps), clipped to clip and
// the screen, each row through copy (a span handler).
void DrawArtOnScreen(void (*copy)(M_WORD*, const void*, int), int art, int x, int y,
                     const RECT& clip);

// Copies `rows` rows of `count` pixels, skipping source pixels of 0.
void CopyPixelRows(int rows, int count, M_WORD* destination, const M_WORD* source,
                   int destinationPitch, int sourcePitch);

// The active gump (the one that receives keys), or null.
extern CGump* g_focusGump;
// The head (front-most) of the top-level gump list.
extern CGump* g_gumpList;
// The teardown flag, raised while a gump closes its children and while the
// program shuts down (world objects then skip their own clean-up of lists
// and gumps, and the closing gumps do not commit their input), lives with
// the world objects whose destructors read it: g_gumpTeardown of world/Obj.h.
