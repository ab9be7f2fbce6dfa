// The play-area gump's mouse state machine: highlights under the pointer,
// left and right presses, releases, drags and the per-frame tick.  What a
// click does is in MapGumpActions.cpp.
//
// Left button: idle, pending (a press within the double-click time),
// double (a second press while pending).  A pending press ends in a single
// click once the time passed with the button up, in a drag-off when the
// button is held that long or the pointer moves 5 pixels, or in a double
// click.  The right button has the same states: a pending press expires or
// is cancelled by a 5-pixel drag, and a double right press walks to the
// point at its release.
#include <cstdlib>

#include "Clock.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "strings/LanguageManager.h"
#include "view/DrawManager.h"
#include "view/GameAreaEdge.h"
#include "view/MapGump.h"
#include "view/PlayAreaState.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/MultiTarget.h"
#include "world/ObjectManager.h"

namespace {

constexpr int kDragThreshold = 5;
constexpr int kTargetCursor = 19;

bool PastThreshold(int x, int y, int fromX, int fromY) {
    return std::abs(x - fromX) >= kDragThreshold || std::abs(y - fromY) >= kDragThreshold;
}

// Serial of a dynamic object, 0 for anything else.
M_DWORD DynamicSerial(CObj* object) {
    if (!object || !object->IsDynamic()) return 0;
    return static_cast<CDynamicObj*>(object)->GetSerial();
}

void InvalidateSerial(M_DWORD serial) {
    if (!serial) return;
    if (CDynamicObj* object = CObjectManager::FindObject(serial)) object->Invalidate();
}

// Items that can be picked up are highlighted; creatures always.
bool Highlightable(CObj* object) {
    if (!object || !object->IsDynamic()) return false;
    return object->IsMobile() || object->IsMovable();
}

}  // namespace

CMapGump::CMapGump() {
    TWReport::print("CMapGump::CMapGump(): begin.\n");
    name = "map gump";
    width = GraphicManager::getGameplayWindowPixelWidth();
    height = GraphicManager::getGameplayWindowPixelHeight();
    PutInGump(nullptr);
    if (AllowWindowResize) CreateGameAreaEdges();
}

CMapGump::~CMapGump() {
    TWReport::print("CMapGump::~CMapGump()\n");
    ForgetHighlights();
    // The frame goes with the play area it was put round.
    for (GameAreaEdgeGump*& piece : g_gameAreaEdges) delete piece;
}

BOOL CMapGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < GraphicManager::getGameplayWindowPixelWidth() &&
                   py < GraphicManager::getGameplayWindowPixelHeight()
               ? TRUE
               : FALSE;
}

void CMapGump::ForgetHighlights() {
    const M_DWORD mobile = g_onMobileSerial, object = g_onObjSerial;
    g_onMobileSerial = 0;
    g_onObjSerial = 0;
    InvalidateSerial(mobile);
    InvalidateSerial(object);
}

void CMapGump::HandleMouseMove(int px, int py) {
    // Without a player there is no world under the pointer to act on.
    if (!pPlayerObject) return;
    MouseManager::SetCursorType(playarea::Targeting() ? kTargetCursor : 0);
    pointerX = px;
    pointerY = py;
    CObj* under = CObjectManager::GetObjAtScreenLoc(px, py);

    if (pPlayerObject->warMode || playarea::Targeting()) {
        const M_DWORD candidate =
            under && under->IsMobile() && under != pPlayerObject ? DynamicSerial(under) : 0;
        if (candidate != g_onMobileSerial) {
            const M_DWORD old = g_onMobileSerial;
            g_onMobileSerial = candidate;
            InvalidateSerial(old);
            InvalidateSerial(candidate);
        }
    }
    const M_DWORD candidate = Highlightable(under) ? DynamicSerial(under) : 0;
    if (candidate != g_onObjSerial) {
        const M_DWORD old = g_onObjSerial;
        g_onObjSerial = candidate;
        InvalidateSerial(old);
        InvalidateSerial(candidate);
    }
}

void CMapGump::HandleMouseMoveAway() {
    ForgetHighlights();
}

void CMapGump::HandleLButtonDown(int px, int py) {
    if (!pPlayerObject) return;
    CGumpManager::DeactivateGump();
    if (g_multiTarget) {
        if (!g_multiTarget->active) return;
        DeleteMultiTarget(g_multiTarget);
    }
    leftDown = TRUE;
    if (leftClickState != 1) {
        leftClickState = 1;
        leftPressTime = GetTimeMs();
        pressedSerial = DynamicSerial(CObjectManager::GetObjAtScreenLoc(px, py));
    } else {
        leftClickState = 2;
    }
    leftPressX = px;
    leftPressY = py;
}

void CMapGump::HandleLButtonUp(int px, int py) {
    leftDown = FALSE;
    if (!pPlayerObject) {
        leftClickState = 0;
    } else if (dragOffActive) {
        dragOffActive = FALSE;
        leftClickState = 0;
    } else if (leftClickState == 2) {
        leftClickState = 0;
        CDynamicObj* pressed = pressedSerial ? CObjectManager::FindObject(pressedSerial) : nullptr;
        if (pressed)
            UseObject(pressed);
        else
            UseObjectAt(px, py);
        pressedSerial = 0;
    } else if (!dragOffTried && leftClickState == 0) {
        HandleClick(px, py);
    } else if (MouseManager::GetCursorType() == kTargetCursor) {
        // A target is answered at once, without waiting for a second click.
        leftClickState = 0;
        HandleClick(px, py);
    }
    dragOffTried = FALSE;
    MouseManager::SetCapture(nullptr);
}

void CMapGump::Tick() {
    if (!pPlayerObject) return;
    if (rightDown || stepPending) {
        stepPending = FALSE;
        MoveManager::WalkByMouse(MouseManager::GetMouseDirection(TRUE), MoveManager::RUN_BY_MOUSE);
    }
    const M_DWORD now = GetTimeMs();
    const M_DWORD wait = static_cast<M_DWORD>(GetDoubleClickTime());
    if (rightClickState == 1 && now - rightPressTime > wait) rightClickState = 0;
    if (leftClickState == 1 && now - leftPressTime > wait) {
        leftClickState = 0;
        pressedSerial = 0;
        if (leftDown) {
            dragOffActive = TRUE;
            OpenStatusGumpOf(leftPressX, leftPressY);
        } else {
            HandleClick(leftPressX, leftPressY);
        }
    }
}

void CMapGump::HandleMouseDrag(int px, int py) {
    if (!pPlayerObject) return;
    if (rightDown && rightClickState == 1 && PastThreshold(px, py, rightPressX, rightPressY))
        rightClickState = 0;
    if (leftDown && leftClickState != 0 && PastThreshold(px, py, leftPressX, leftPressY)) {
        dragOffActive = TRUE;
        leftClickState = 0;
        OpenStatusGumpOf(leftPressX, leftPressY);
    }
    pointerX = px;
    pointerY = py;
}

void CMapGump::HandleRButtonDown(int px, int py) {
    if (!pPlayerObject) return;
    rightDown = TRUE;
    if (rightClickState == 0) {
        rightClickState = 1;
        rightPressTime = GetTimeMs();
    } else {
        rightClickState = 2;
    }
    rightPressX = px;
    rightPressY = py;
    stepPending = TRUE;
}

void CMapGump::HandleRButtonUp(int px, int py) {
    rightDown = FALSE;
    if (!pPlayerObject) {
        rightClickState = 0;
        stepPending = FALSE;
        return;
    }
    if (rightClickState == 2) {
        rightClickState = 0;
        PathfindToPoint(px, py);
        return;
    }
    if (stepPending && rightClickState == 0) {
        if (playarea::WalkBusy()) return;
        stepPending = FALSE;
        MoveManager::WalkByMouse(MouseManager::GetMouseDirection(FALSE), MoveManager::RUN_BY_MOUSE);
    }
    CGump* capture = MouseManager::GetCapture();
    if (capture && !capture->IsDragGump()) MouseManager::SetCapture(nullptr);
}

void CMapGump::RequestHelp(int px, int py) {
    CDrawItem* item = DrawManager::GetItemAtScreenPoint(px, py, TRUE);
    if (!item || !item->IsObj() || !item->IsDynamic() || !g_pGameSocket) return;
    PDSTRUCT packet;
    PacketManager::BuildHelpHoverRequest(&packet, static_cast<CDynamicObj*>(item)->GetSerial(), 0,
                                         LanguageManager::getUserLanguageCodeString());
    g_pGameSocket->Write(&packet);
}
