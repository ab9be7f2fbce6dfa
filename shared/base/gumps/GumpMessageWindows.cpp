// The message box, the message-service windows and the pointing arrow.
#include "gumps/Gump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/WaitingGump.h"
#include "net/GMSSock.h"
#include "net/PacketManager.h"

namespace {

constexpr int kHelpChatCommand = 10;
constexpr int kAccountPageCommand = 1;
constexpr int kMailCommand = 9;

GumpFactory& factory() {
    return tw::Service<GumpFactory>::Get();
}

// Makes a message-service window at its saved place, or at the default one
// when it was never placed, and links it at the top.
template <typename Make>
CGump* openAtPlace(const SavedWindowPlace& place, int x, int y, int width, int height, Make make) {
    const bool placed = place.x != -1;
    CGump* gump =
        placed ? make(place.x, place.y, place.width, place.height) : make(x, y, width, height);
    if (!gump) return nullptr;
    gump->PutInGump(nullptr);
    if (placed && place.minimized) CGump::Minimize(gump);
    return gump;
}

}  // namespace

CWaitingGump* CGumpManager::OpenWaitingGump(const void* text, CGump* owner, int okButton, int large,
                                            int logout, int wideText) {
    auto* gump = new CWaitingGump(-1, -1, text, owner, okButton, large, logout, wideText != 0);
    gump->PutInGump(nullptr);
    modalGump = gump;
    return gump;
}

void CGumpManager::OpenGMChatGump() {
    if (pGMChatGump) {
        CGump::BringToFront(pGMChatGump, 0);
        return;
    }
    if (!g_pGMSSock || !g_pGMSSock->IsConnected()) return;
    openAtPlace(gmChatPlace, 0, 0, 640, 480,
                [](int x, int y, int w, int h) { return factory().CreateGMChatGump(x, y, w, h); });
    PacketManager::SendMessageServiceCommand(kHelpChatCommand,
                                             factory().HelpChatRequestText().c_str());
}

void CGumpManager::OpenHTMLGump() {
    if (pHTMLGump) {
        CGump::BringToFront(pHTMLGump, 0);
        return;
    }
    openAtPlace(htmlPlace, 0, 0, 640, 480,
                [](int x, int y, int w, int h) { return factory().CreateHTMLGump(x, y, w, h); });
    PacketManager::SendMessageServiceCommand(kAccountPageCommand,
                                             factory().AccountPageAddress().c_str());
}

void CGumpManager::OpenMailGump() {
    PacketManager::SendMessageServiceCommand(kMailCommand, "");
    if (pMailGump) {
        if (pMailGump->minimized) CGump::Restore(pMailGump);
        CGump::BringToFront(pMailGump, 0);
        return;
    }
    openAtPlace(mailPlace, 120, 90, 400, 400,
                [](int x, int y, int w, int h) { return factory().CreateMailGump(x, y, w, h); });
}

void CGumpManager::SetArrow(int x, int y, BOOL show) {
    if (!arrowGump) {
        arrowGump = factory().CreatePointGump(x, y, show);
        if (!arrowGump) return;
        arrowGump->PutInGump(nullptr);
        arrowGump->visible = show ? TRUE : FALSE;
        return;
    }
    if (show) {
        arrowGump->SetTarget(x, y);
        arrowGump->visible = TRUE;
    } else {
        arrowGump->visible = FALSE;
    }
}
