// The keyboard character handler and the mouse entry points.
#include "App.h"
#include "gumps/Gump.h"
#include "gumps/InputWindow.h"
#include "gumps/MouseManager.h"
#include "net/PacketManager.h"
#include "world/MoveManager.h"

namespace {

// Walking keys -8..-1 of the event pump, by code + 8.
const int kWalkDirections[8] = {3, 4, 5, 2, 6, 1, 0, 7};

void toFocusedGump(int code) {
    if (g_focusGump) g_focusGump->HandleKey(code);
}

}  // namespace

void CApp::OnChar(int code) {
    if (code >= -8 && code <= -1) {
        MoveManager::WalkByKey(kWalkDirections[code + 8], 0);
        return;
    }
    if (code == 9) {
        toFocusedGump(code);
        return;
    }
    if (code == 27) {
        if (CInputWindow::IsPromptPending())
            CInputWindow::SendPromptReply(g_inputWindow, 0, "");
        else if (targeting)
            PacketManager::SendTargetCancel();
        else
            toFocusedGump(code);
        return;
    }
    if (g_focusGump)
        g_focusGump->HandleKey(code);
    else if (g_inputWindow)
        g_inputWindow->HandleKey(code);
}

void CApp::OnLButtonDown(short x, short y) {
    MouseManager::OnLButtonDown(x, y);
}

void CApp::OnLButtonUp(short x, short y) {
    MouseManager::OnLButtonUp(x, y);
}

void CApp::OnRButtonDown(short x, short y) {
    MouseManager::OnRButtonDown(x, y);
}

void CApp::OnRButtonUp(short x, short y) {
    MouseManager::OnRButtonUp(x, y);
}

void CApp::OnMouseMove(short x, short y) {
    MouseManager::SetPos(x, y);
}
