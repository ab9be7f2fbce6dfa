// The view's side of what the gump framework asks of the screen: the
// screen invalidation, the scroll reset, the mobiles' animation step, and
// help on hover.
//
// Help on hover is a state machine run once a frame from the mouse
// manager's update: 0 waiting for an object under the pointer, 1 waiting
// for the pointer to rest for the help delay, 2 asking the server (message
// 0xB6), 3 waiting up to 2 s for the help text, 4 showing it.  The hovered
// object is kept by its serial and looked up each time it is used, so an
// object that leaves the world meanwhile is simply gone.  All of it runs on
// the main thread.
#include <cstring>

#include "Clock.h"
#include "MemoryManager.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "strings/LanguageManager.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/MapGump.h"
#include "view/ViewServices.h"
#include "view/WorldView.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

namespace {

// How long a help request may go unanswered before hovering goes on.
constexpr M_DWORD kHelpAnswerWait = 1999;

struct HelpHover {
    int state = 0;
    M_DWORD startTime = 0;
    M_DWORD hoveredSerial = 0;  // 0: none
    M_DWORD requestTime = 0;
    int lastX = 0;
    int lastY = 0;
};
HelpHover g_help;

// The serial of the dynamic object drawn topmost under the hot spot, or 0.
M_DWORD objectUnderPointer(int x, int y) {
    CGump* map = GraphicManager::pMapGump;
    // Without a play area (before play) there is nothing to pick; a play
    // area that fails its check is not used at all.
    if (!map) return 0;
    if (!TW_VALIDATE_OBJECT(map)) {
        TWReport::error(
            "MouseManager::UpdateHelpHovering: either pointer 'GraphicManager::pMapGump' is not "
            "valid, or the data it points to is not valid. program may crash!\n");
        return 0;
    }
    CGump::ScreenToGumpCoords(map, &x, &y);
    CDrawItem* item = DrawManager::GetItemAtScreenPoint(x, y, TRUE);
    if (!item) return 0;
    if (!TW_VALIDATE_OBJECT(item)) {
        TWReport::error(
            "MouseManager::UpdateHelpHovering: either pointer 'pItem' is not valid, or the data "
            "it points to is not valid. setting 'pItem = 0'.\n");
        return 0;
    }
    if (!item->IsObj() || !item->IsDynamic()) return 0;
    return static_cast<CDynamicObj*>(item)->GetSerial();
}

void requestHelp(M_DWORD serial) {
    if (!serial || !PopupHelpEnabled) return;
    // Looked up now: the object may have left the world since it was
    // hovered.
    if (!CObjectManager::FindObject(serial) || !g_pGameSocket) return;
    PDSTRUCT packet;
    PacketManager::BuildHelpHoverRequest(&packet, serial, 0,
                                         LanguageManager::getUserLanguageCodeString());
    g_pGameSocket->Write(&packet);
}

bool strictlyInside(CGump* gump, int x, int y) {
    const RECT r = gump->ScreenRect();
    return x > r.left && y > r.top && x < r.right && y < r.bottom;
}

// The help text stays while the pointer is over it, when the user keeps
// help texts, or while one of its buttons holds the mouse.
void closeHelpTextAwayFromPointer(int x, int y) {
    CGump* help = CGumpManager::helpTextGump;
    if (!help) return;
    if (!TW_VALIDATE_OBJECT(help)) {
        // Nothing of it can be used; the manager forgets it when it closes.
        TWReport::error(
            "MouseManager::UpdateHelpHovering: either pointer 'CGumpManager::helpTextGump' is "
            "not valid, or the data it points to is not valid. the program may crash!\n");
        return;
    }
    if (strictlyInside(help, x, y)) return;
    CGump* capture = MouseManager::GetCapture();
    if (PopupHelpSticky || (capture && capture->parent == help)) return;
    delete help;  // closing clears the manager's pointer
    CGumpManager::helpTextGump = nullptr;
}

void updateHelpHovering() {
    int x = 0, y = 0;
    MouseManager::GetMousePos(&x, &y);
    const M_DWORD now = GetTimeMs();
    const M_DWORD candidate = objectUnderPointer(x, y);
    if (!candidate) g_help.hoveredSerial = 0;

    switch (g_help.state) {
        case 0:
            g_help.startTime = now;
            if (candidate && candidate != g_help.hoveredSerial) {
                g_help.hoveredSerial = candidate;
                g_help.state = 1;
            }
            break;
        case 1:
            if (x == g_help.lastX && y == g_help.lastY &&
                now - g_help.startTime >= static_cast<M_DWORD>(PopupHelpPreDelay)) {
                g_help.state = 2;
            } else {
                g_help.lastX = x;
                g_help.lastY = y;
            }
            break;
        case 2:
            requestHelp(g_help.hoveredSerial);
            g_help.requestTime = now;
            g_help.state = 3;
            break;
        case 3:
            if (CGumpManager::helpTextGump || now - g_help.requestTime > kHelpAnswerWait)
                g_help.state = 4;
            break;
        case 4:
            if (!PopupHelpPersistant || !CGumpManager::helpTextGump) g_help.state = 0;
            break;
        default:
            g_help.state = 0;
            break;
    }
    closeHelpTextAwayFromPointer(x, y);
}

class ViewScreen final : public GumpScreen {
public:
    void InvalidateScreen() override { ::InvalidateScreen(); }
    void ResetScroll() override { thelightthingie::ResetScroll(); }
    void StepMobileAnimations() override { ::StepMobileAnimations(); }
    void UpdateHelpHovering() override { updateHelpHovering(); }
};

}  // namespace

GumpScreen& ViewGumpScreen() {
    static ViewScreen screen;
    return screen;
}

void ResetHelpHovering() {
    g_help = HelpHover{};
}
