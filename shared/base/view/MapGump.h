// The play-area gump: it has no picture of its own (the world is painted by
// the repaint) but takes every mouse event over the play window and turns it
// into game actions: the highlight under the pointer, a single click (look,
// or the answer to a target cursor), a double click (use or attack), a left
// drag off a creature (its status gump) or an item (picking it up), the
// right button (walking towards the pointer) and a double right click
// (walking to the point along a found path).
//
// It keeps the objects it remembers by serial and looks them up when it
// uses them, so an object the server deletes meanwhile is simply gone.
// One instance exists while the game runs (GraphicManager::pMapGump); the
// play-window frame (GameAreaEdge.h) is put round it when window resizing is
// allowed.  Main thread only.
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "gumps/Gump.h"

class CDrawItem;
class CDynamicObj;
class CMapGump;
class CObj;

// The application's side: the target cursor.  The application implements it and main installs it at
// start-up; tests install recording doubles.
class PlayAreaSession {
public:
    static constexpr const char* kServiceName = "PlayAreaSession";
    virtual ~PlayAreaSession() = default;

    // A target cursor is up and its answer routine waits for a pick.
    virtual BOOL IsTargeting() = 0;
    // The kind of the target asked for: 1 a location (land counts), else an
    // object.
    virtual int TargetKind() = 0;
    // Hands the pick (or null) to the answer routine.
    virtual void AnswerTarget(CDrawItem* picked) = 0;
    // Ends the target cursor without an answer.
    virtual void EndTarget() = 0;
};

// The yes/no questions before harmful acts, which the login screens' yes/no
// gump asks (InstallPlayAreaWarnings, login/PlayAreaWarnings.h).
class PlayAreaQuestions {
public:
    static constexpr const char* kServiceName = "PlayAreaQuestions";
    virtual ~PlayAreaQuestions() = default;

    // The yes/no question "This may flag you criminal!" before answering a
    // target with the mobile; yes answers it.
    virtual void AskBeforeTarget(M_DWORD serial) = 0;
    // The yes/no question before attacking the mobile; yes attacks it.
    virtual void AskBeforeAttack(M_DWORD serial, const char* question) = 0;
};

// The play-area gump as the application and the platform reach it.  The
// view implements it (InstallViewServices); tests may install doubles.
class MapGumpService {
public:
    static constexpr const char* kServiceName = "CMapGump";
    virtual ~MapGumpService() = default;
    virtual CMapGump* MakeMapGump() = 0;
    virtual void ForgetObjectUnderPointer() = 0;
};

class CMapGump : public CGump {
public:
    // Links itself at the top level, and puts the play-window frame round
    // the play window when window resizing is allowed.
    CMapGump();
    ~CMapGump() override;

    // The play-area gump; it links itself into the top-level list.
    static CMapGump* Make() { return tw::Service<MapGumpService>::Get().MakeMapGump(); }
    // Forgets the object under the pointer and repaints it (war mode
    // changed).
    static void ForgetObjectUnderPointer() {
        tw::Service<MapGumpService>::Get().ForgetObjectUnderPointer();
    }

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonDown(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseMoveAway() override;
    void HandleMouseDrag(int x, int y) override;
    void Tick() override;
    void RequestHelp(int x, int y) override;
    BOOL AcceptsItems() override { return TRUE; }
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsMapGump() override { return TRUE; }
    BOOL UsesPixelHitTest() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }

    // The single click: the answer to a target cursor, else a look at the
    // object under the point (a map static shows its name).
    void HandleClick(int x, int y);
    // Answers the target cursor with the pick (or null) by the click's rule:
    // a harmful target on an innocent, or a helpful one on a hostile kind,
    // ends the cursor and asks first.  Texts over an object answer with
    // their owner this way too.
    static void AnswerTargetWith(CDrawItem* picked);
    // The double click: use, open or attack the object.
    void UseObject(CObj* object);
    void UseObjectAt(int x, int y);
    // The left drag off a creature (its status gump) or an item (picked up).
    void OpenStatusGumpOf(int x, int y);
    // The double right click: walk to the point along a found path.
    void PathfindToPoint(int x, int y);

    // Drops both highlights (war mode changed, the pointer left).
    void ForgetHighlights();

    // Mouse state (play-window coordinates).
    int leftClickState = 0;  // 0 idle, 1 a press pending, 2 a double click
    M_DWORD leftPressTime = 0;
    int leftPressX = 0;
    int leftPressY = 0;
    BOOL leftDown = FALSE;
    M_DWORD pressedSerial = 0;  // dynamic object under the first press, 0 none
    BOOL dragOffActive = FALSE;
    BOOL dragOffTried = FALSE;
    int rightClickState = 0;
    M_DWORD rightPressTime = 0;
    int rightPressX = 0;
    int rightPressY = 0;
    BOOL rightDown = FALSE;
    BOOL stepPending = FALSE;
    int pointerX = 0;
    int pointerY = 0;
    // The status gump pulled off the map and its mobile, by serial.
    M_DWORD draggedStatusSerial = 0;
};

// The question before a harmful act, by the criminal-warning switch: set
// (its start) "This may flag you criminal!", cleared "This will lower
// notoriety !".
const char* CriminalQuestion();
// Remembers the serial as the pending target and asks before answering the
// target with it (used by other gumps' target handling too).
void ConfirmCriminalAction(M_DWORD serial);
