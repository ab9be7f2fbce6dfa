#include "app/SmallMessages.h"

#include <vector>

#include "DebugHooks.h"
#include "app/App.h"
#include "app/VersionManager.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputWindow.h"
#include "gumps/MouseManager.h"
#include "login/CharCreation.h"
#include "login/LoginState.h"
#include "net/ClientSock.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "strings/LanguageManager.h"
#include "view/GameAreaEdge.h"
#include "view/Light.h"
#include "view/MapGump.h"
#include "view/WorldView.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"

BOOL g_worldShown = FALSE;
int g_gumpRootState = 0;

namespace {

constexpr int kPopupWidth = 160;
constexpr int kPopupHeight = 100;

// The popup help window: a plain pointer, since it may close at any time;
// it is used only after the gump manager says it is still open.
CGump* s_popupHelp = nullptr;

// The player fights the object named by its serial; a serial that names
// nothing clears the combatant.  Kept by serial so that it never names a
// deleted object.
void HandleCombatant(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    if (!pPlayerObject) return;
    pPlayerObject->fightTargetSerial = CObjectManager::FindObject(serial) ? serial : 0;
}

void HandleCombatantCleared(const PacketIn&) {
    if (pPlayerObject) pPlayerObject->fightTargetSerial = 0;
}

void HandleEditServerNotice(const PacketIn&) {
    if (EditServerAddress != 0) EditServerHook();
}

void HandleLightLevel(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int level = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    if (level == thelightthingie::ambientLevel) return;
    thelightthingie::ambientLevel = level;
    if (CGumpManager::radarGump) CGumpManager::radarGump->RenderMap();
    InvalidateScreen();
}

void HandleLoginComplete(const PacketIn&) {
    tw::Service<CharacterCreation>::Get().CloseCreationGumps();
    // An open front end holds the rest until the player goes on.
    if (tw::Service<LoginCompletionHold>::Get().DeferLoginCompletion(CompleteLogin)) return;
    CompleteLogin();
}

// 0xB7: a serial, then the text in big-endian 16-bit units up to the end of
// the message (an odd last byte is not a unit).
void HandlePopupHelp(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    std::vector<M_WORD> text;
    const size_t units = r.remaining() / 2;
    text.reserve(units + 1);
    for (size_t i = 0; i < units; ++i) text.push_back(r.u16be());
    text.push_back(0);

    if (!CObjectManager::FindObject(serial)) return;
    CheckNonEnglishLanguage();
    if (!PopupHelpEnabled) return;
    if (s_popupHelp && !CGumpManager::IsGumpOpen(s_popupHelp)) s_popupHelp = nullptr;
    if (s_popupHelp) {
        if (PopupHelpPersistant) return;
        CGump* old = s_popupHelp;
        s_popupHelp = nullptr;
        delete old;
    }
    int x = 0;
    int y = 0;
    MouseManager::GetMousePos(&x, &y);
    CGump* gump = tw::Service<WorldEntry>::Get().OpenScrollText(x, y, kPopupWidth, kPopupHeight,
                                                                text.data());
    if (!gump) return;
    s_popupHelp = gump;
    if (!PopupHelpSticky) {
        RECT dirty{};
        gump->MoveBy(-kPopupWidth / 2, -kPopupHeight / 2, TRUE, dirty, TRUE);
    }
}

void HandleArrow(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int on = r.u8();
    const int x = r.u16be();
    const int y = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    CGumpManager::SetArrow(x, y, on ? TRUE : FALSE);
}

void HandleHeldItemDropped(const PacketIn&) {
    CObjectManager::holdingItem = FALSE;
}

void HandleEditServerCheck(const PacketIn&) {
    CVersionManager::CheckEditServer();
}

void HandleServerMove(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int direction = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    MoveManager::HandleServerMove(direction);
}

void HandleVersionQuery(const PacketIn&) {
    PDSTRUCT out;
    PacketManager::BuildClientVersion(&out, CVersionManager::GetVersionText());
    CApp::WriteToGame(&out);
}

void HandleVersionValue(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD value = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    PDSTRUCT out;
    PacketManager::BuildBe(&out, value, CVersionManager::GetVersionText());
    CApp::WriteToGame(&out);
}

// Framed and read; nothing in them is used.
void HandleIgnored(const PacketIn&) {}

}  // namespace

void InstallSmallMessageHandlers() {
    PacketManager::SetHandler(0x29, HandleHeldItemDropped);
    PacketManager::SetHandler(0x30, HandleCombatant);
    PacketManager::SetHandler(0x31, HandleCombatantCleared);
    PacketManager::SetHandler(0x45, HandleEditServerNotice);
    PacketManager::SetHandler(0x4F, HandleLightLevel);
    PacketManager::SetHandler(0x55, HandleLoginComplete);
    PacketManager::SetHandler(0xB7, HandlePopupHelp);
    PacketManager::SetHandler(0xBA, HandleArrow);
    PacketManager::SetHandler(0x5C, HandleEditServerCheck);
    PacketManager::SetHandler(0x97, HandleServerMove);
    PacketManager::SetHandler(0xBD, HandleVersionQuery);
    PacketManager::SetHandler(0xBE, HandleVersionValue);
    for (unsigned id : {0x69u, 0x6Au, 0x6Du, 0x73u, 0xBBu, 0xBCu})
        PacketManager::SetHandler(id, HandleIgnored);
}

void CompleteLogin() {
    CApp::readConfig("tw.cfg", 1);
    CApp::LoadMacros();
    g_gumpRootState = 1;
    CGumpManager::OnLoginComplete();
    g_loginComplete = TRUE;
    if (g_inputWindow) CInputWindow::UpdatePrompt(g_inputWindow);
    CGumpManager::CloseAllGumps();
    tw::Service<WorldEntry>::Get().LoadDesktop();
    ResetGameAreaEdges();
    // A logout hid the play area; the new world shows it again.
    if (CMapGump* playArea = GraphicManager::pMapGump) playArea->visible = TRUE;
    g_worldShown = TRUE;
}

CGump* PopupHelpGump() {
    if (s_popupHelp && !CGumpManager::IsGumpOpen(s_popupHelp)) s_popupHelp = nullptr;
    return s_popupHelp;
}
