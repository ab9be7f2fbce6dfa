// The button-callback library's front-end and shared members: what the
// buttons of the front end, the message boxes and the quit question do.
// Each runs on the gump that holds the button; many end by closing it, which
// must be the last thing they touch.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Clock.h"
#include "Platform.h"
#include "ProcessFlags.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputControlGump.h"
#include "gumps/MouseManager.h"
#include "gumps/ToggleControlGump.h"
#include "gumps/WaitingGump.h"
#include "login/CharCreation.h"
#include "login/FrontEnd.h"
#include "login/LoginRoad.h"
#include "net/ClientSock.h"
#include "net/GMSSock.h"
#include "net/ConnectionEvents.h"
#include "net/PacketManager.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "view/MapGump.h"

using login::g_road;

namespace {

// Copies text into out (size bytes), cut and always terminated.
void CopyBounded(char* out, size_t size, const char* text) {
    size_t n = 0;
    while (text && n + 1 < size && text[n]) {
        out[n] = text[n];
        ++n;
    }
    out[n] = 0;
}

FrontEndApp& App() {
    return tw::Service<FrontEndApp>::Get();
}

// The longest a logout waits for its message to leave.
constexpr M_DWORD kLogoutFlushMs = 2000;

// Sends the logout message and waits, at most kLogoutFlushMs, for it to
// leave: a server that stopped reading must not hang the client.
void SendLogoutAndFlush() {
    if (!GameConnectionOpen()) return;
    PDSTRUCT packet;
    PacketManager::Build01(&packet);
    g_pGameSocket->Write(&packet);
    const M_DWORD start = GetTimeMs();
    while (g_pGameSocket->Flush() && GetTimeMs() - start < kLogoutFlushMs) {
    }
}

void CloseWaitingGump() {
    CGump* box = CGumpManager::pWaitingGump;
    CGumpManager::pWaitingGump = nullptr;
    if (box && CGumpManager::IsGumpOpen(box)) delete box;
}

// Closes the old main menu and puts a new one at the head of the list.
void NewMainMenu() {
    if (CGump* old = GraphicManager::pMainMenuGump) {
        GraphicManager::pMainMenuGump = nullptr;
        delete old;
    }
    auto* menu = new CMainMenuGump();
    GraphicManager::pMainMenuGump = menu;
    menu->PutInGump(nullptr);
}

// The connect step shared by the account login and the selection's back
// arrow: TRUE when a connection is open afterwards.
BOOL ConnectShowingWait(CGump* caller) {
    if (GameConnectionOpen()) return TRUE;
    caller->visible = FALSE;
    CloseWaitingGump();
    auto* box = new CWaitingGump(-1, -1, "Connecting... ", GraphicManager::pMainMenuGump, TRUE,
                                 TRUE, FALSE);
    box->PutInGump(nullptr);
    CGumpManager::pWaitingGump = box;
    // The connect blocks: the box is drawn before it.
    CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
    const int connected = App().ConnectToServer();
    CloseWaitingGump();
    if (!connected) {
        CGumpManager::pWaitingGump = OpenMessageBox(frontend::kCouldNotConnect, caller, TRUE, FALSE);
        return FALSE;
    }
    return TRUE;
}

void PlaySlot(CLoginGump* selection, const char* password) {
    const int index = selection->selected;
    const int id = selection->SelectedId();
    CopyBounded(frontend::currentCharName, sizeof frontend::currentCharName,
                selection->SelectedName());
    static char typedPassword[login::kCharField + 1];
    CopyBounded(typedPassword, sizeof typedPassword, password);
    App().SetPlayedCharacter(frontend::currentCharName, typedPassword);
    CopyBounded(PlayerName, sizeof PlayerName, frontend::currentCharName);
    saveConfigDirective(CFG_PlayerName, frontend::currentCharName);
    char text[16];
    snprintf(text, sizeof text, "%d", index);
    DefaultChar = index;
    saveConfigDirective(CFG_DefaultChar, text);
    g_road.selectedSlot = id;
    App().UseSlotHues(id);
}

}  // namespace

// ---- Shared ----

void CGump::Close() {
    delete this;
}

void CGump::ForwardButtonPress() {
    HandleButtonPress(buttonValue);
}

// ---- Account login and the ways back ----

void CGump::Connect() {
    CAcctLoginGump* login = pAcctLoginGump;
    if (!login) return;
    AcctLastName[0] = 0;
    // Both buffers hold 30 characters and their terminator; longer typed
    // texts are cut, never written past the end.
    char account[sizeof AcctID];
    char password[sizeof AcctPassword];
    CopyBounded(account, sizeof account, login->accountField->text);
    CopyBounded(password, sizeof password, login->passwordField->text);
    RememberAcctPW = login->savePassword->State() != 0;

    if (!ConnectShowingWait(login)) return;
    CopyBounded(AcctID, sizeof AcctID, account);
    CopyBounded(AcctPassword, sizeof AcctPassword, password);
    login->visible = FALSE;
    App().SendAcctLogin(AcctID, AcctPassword, g_road.nextLoginKey);

    saveConfigDirective(CFG_AcctID, AcctID);
    if (RememberAcctPW) {
        saveConfigDirective(CFG_RememberAcctPW, "yes");
        char scrambled[sizeof AcctPassword];
        CopyBounded(scrambled, sizeof scrambled, AcctPassword);
        ScramblePassword(scrambled);
        saveConfigDirective(CFG_AcctPassword, scrambled);
    } else {
        saveConfigDirective(CFG_RememberAcctPW, "no");
        saveConfigDirective(CFG_AcctPassword, "");
    }
    if (pAcctLoginGump) RememberAcctPW = pAcctLoginGump->savePassword->State() != 0;
}

void CGump::BackToMainMenu() {
    if (pAcctLoginGump == this) pAcctLoginGump = nullptr;
    // The login box is the main menu's child: the menu closes it with itself.
    if (!GraphicManager::pMainMenuGump || parent != GraphicManager::pMainMenuGump) delete this;
    NewMainMenu();
    net::Application().SetConnected(FALSE);
    g_road.onGameServer = FALSE;
    if (g_pGameSocket) g_pGameSocket->Close();
    SetWindowTitle("");
}

void CGump::LogoutToMainMenu() {
    if (g_pGameSocket) {
        if (GameConnectionOpen()) {
            PDSTRUCT packet;
            PacketManager::Build01(&packet);
            g_pGameSocket->Write(&packet);
        }
    }
    App().SetInWorld(FALSE);
    net::Application().SetConnected(FALSE);
    g_road.frontEnd = TRUE;
    g_road.onGameServer = FALSE;
    ReplaceGameSocket(new CClientSock());
    tw::Service<CharacterCreation>::Get().CloseCreationGumps();
    if (pShardGump && pShardGump != this) delete pShardGump;
    if (pLGump && pLGump != this) delete pLGump;
    CloseWaitingGump();
    CGump* menu = GraphicManager::pMainMenuGump;
    // The button may sit on the main menu's own login box.
    const bool onMenu = this == menu || parent == menu;
    if (!onMenu) delete this;
    PlayIntroAnimation();
    NewMainMenu();
}

void CGump::LogoutFromCharSelect() {
    if (pLGump == this) pLGump = nullptr;
    delete this;
    if (GameConnectionOpen()) {
        g_pGameSocket->SetBlocking();
        SendLogoutAndFlush();
        g_pGameSocket->SetNonBlocking();
    }
    NewMainMenu();
    net::Application().SetConnected(FALSE);
    g_road.onGameServer = FALSE;
    if (g_pGameSocket) g_pGameSocket->Close();
    SetWindowTitle("");
}

void CGump::LogoutFromWorld() {
    ::LogoutFromWorld();
}

void LogoutFromWorld() {
    SendLogoutAndFlush();
    App().SetInWorld(FALSE);
    net::Application().SetConnected(FALSE);
    g_road.frontEnd = TRUE;
    if (CGump* arrow = CGumpManager::arrowGump) arrow->visible = FALSE;
    g_road.onGameServer = FALSE;
    ReplaceGameSocket(new CClientSock());
    App().ResetWorldState();
    App().SaveDesktop();
    tw::Service<CharacterCreation>::Get().CloseCreationGumps();
    CGumpManager::CloseAllGumps();
    // The play area stays in the list; entering the world shows it again.
    if (CMapGump* playArea = GraphicManager::pMapGump) playArea->visible = FALSE;
    SetWindowTitle("");
    // The message service starts again with the next login, without the
    // messages of this one.
    App().ClearMessageStore();
    RecreateMessageServiceSocket();
    g_messageServiceState = -1;
    App().ClearBackBuffer();
    NewMainMenu();
}

void CGump::ExitProgram() {
    // The main loop ends at its next turn and main returns 0: ending the
    // process here would pull the services away under the cursor thread.
    g_exitStatus = 0;
    g_quitFlag = 1;
}

void CGump::ShowCredits() {
    App().ShowCredits();
}

namespace {
void OpenPage(const char* address) {
    TWReport::notice("CGump: opening the web page %s.\n", address);
    OpenWebBrowser();
}
}  // namespace

void CGump::OpenSupportPage() {
    OpenPage(frontend::kSupportPage);
}
void CGump::OpenSignUpPage() {
    OpenPage(frontend::kSignUpPage);
}
void CGump::OpenMainWebSite() {
    OpenPage(frontend::kMainWebSite);
}
void CGump::OpenAccountPage() {
    OpenPage(frontend::kAccountPage);
}

void CloseLoginGumps() {
    CloseWaitingGump();
    tw::Service<CharacterCreation>::Get().CloseCreationGumps();
    if (pShardGump) delete pShardGump;
    if (pLGump) delete pLGump;
    if (CGump* menu = GraphicManager::pMainMenuGump) {
        GraphicManager::pMainMenuGump = nullptr;
        delete menu;
    }
    // The control that held the login completion has gone with the front
    // end: the completion runs now rather than never.
    if (void (*complete)() = frontend::heldLoginCompletion) {
        frontend::heldLoginCompletion = nullptr;
        complete();
    }
}

namespace {
// An open box whose button the player is to press, as opposed to one that
// waits for an answer of the server.
bool IsMessageForThePlayer(CGump* box) {
    if (!box || !CGumpManager::IsGumpOpen(box) || box == frontend::requestWait) return false;
    for (CGump* child = box->firstChild; child; child = child->next)
        if (child->IsButtonGump()) return child->visible != FALSE;
    return false;
}
}  // namespace

CWaitingGump* OpenMessageBox(const char* text, CGump* owner, BOOL large, BOOL logout) {
    if (!large) {
        // The small box's text area in font 1: 115 by 33 pixels from (44,
        // 44), less what a narrow frame art leaves of it.
        int frameW = 0, frameH = 0;
        GetGumpArtSize(CWaitingGump::FRAME_ART, &frameW, &frameH);
        const int areaW = std::min(115, frameW + 115 - 44);
        const int areaH = std::min(33, frameH + 33 - 44);
        int w = 0, h = 0, baseline = 0;
        if (areaW > 0) FontManager::CalcInfoWrap(1, text, areaW, &w, &h, &baseline, 0);
        large = areaW <= 0 || areaH <= 0 || w > areaW || h > areaH;
    }
    CWaitingGump* box = CGumpManager::OpenWaitingGump(text, owner, TRUE, large, logout);
    if (box && box->busyRaised) {
        box->busyRaised = FALSE;
        MouseManager::EndWait();
        MouseManager::SetCursorType(17);
    }
    return box;
}

void ShowMessageBox(const char* text, CGump* owner, BOOL large) {
    CloseWaitingGump();
    CGumpManager::pWaitingGump = OpenMessageBox(text, owner, large, FALSE);
}

BOOL ReturnToLoginScreens(const char* text) {
    CGump* menu = GraphicManager::pMainMenuGump;
    CAcctLoginGump* login = pAcctLoginGump;
    if (!menu || !login) return FALSE;
    net::Application().SetConnected(FALSE);
    g_road.onGameServer = FALSE;
    g_road.frontEnd = TRUE;
    // A new connection object, as the logouts make: the next connect starts
    // from a clean one.  The lost one may be polling us; it is retired.
    ReplaceGameSocket(new CClientSock());
    tw::Service<CharacterCreation>::Get().CloseCreationGumps();
    if (pShardGump) delete pShardGump;
    if (pLGump) delete pLGump;
    frontend::heldLoginCompletion = nullptr;
    SetWindowTitle("");
    login->visible = FALSE;
    CGump* box = CGumpManager::pWaitingGump;
    if (IsMessageForThePlayer(box)) {
        // The server's own message says more than ours would; answering it
        // brings the login box back.
        box->ownerGump = login;
        return TRUE;
    }
    frontend::requestWait = nullptr;
    ShowMessageBox(text, login);
    return TRUE;
}

BOOL HoldLoginCompletion(void (*complete)()) {
    if (!complete || !GraphicManager::pMainMenuGump) return FALSE;
    CGump* box = CGumpManager::pWaitingGump;
    if (!box || !CGumpManager::IsGumpOpen(box)) return FALSE;
    for (CGump* child = box->firstChild; child; child = child->next) {
        if (!child->IsButtonGump()) continue;
        auto* button = static_cast<CButtonGump*>(child);
        button->callback = &CGump::DeferredCompleteLogin;
        button->visible = TRUE;
        frontend::heldLoginCompletion = complete;
        return TRUE;
    }
    return FALSE;
}

void CGump::DeferredCompleteLogin() {
    void (*complete)() = frontend::heldLoginCompletion;
    frontend::heldLoginCompletion = nullptr;
    // Entering the world closes every gump, this one with them.
    if (complete) complete();
}

// ---- Shard choice ----

void CGump::ShardBackToMainMenu() {
    if (pShardGump) delete pShardGump;
    NewMainMenu();
}

void CGump::PlayDefaultShard() {
    if (!pShardGump) return;
    pShardGump->visible = TRUE;
    pShardGump->PlayDefault();
}

void CGump::PlaySelectedShard() {
    if (!pShardGump) return;
    pShardGump->visible = TRUE;
    pShardGump->PlaySelected();
}

// ---- Character selection, play and delete ----

void CGump::AskPlayChar() {
    CLoginGump* selection = pLGump;
    if (!selection) return;
    selection->visible = FALSE;
    const char* characterName = selection->SelectedName();
    if (!characterName[0]) {
        ShowMessageBox("No character to login with.", selection);
        return;
    }
    const int id = selection->SelectedId();
    const bool hasPassword =
        id >= 0 && id < login::kCharSlots && g_road.characters[id].password[0] != 0;
    if (hasPassword) {
        auto* dialog = new CPlayCharGump(characterName, "");
        dialog->PutInGump(nullptr);
        return;
    }
    PlaySlot(selection, "");
    App().SendPlayChar(frontend::currentCharName, const_cast<char*>(""), g_road.selectedSlot);
}

void CGump::PlayChar() {
    CLoginGump* selection = pLGump;
    if (!selection) {
        TWReport::fatal("%s: assertion failed: pLGump.\n", __FILE__);
        return;
    }
    if (!selection->SelectedName()[0]) {
        visible = FALSE;
        ShowMessageBox("No character to login with.", this);
        return;
    }
    char typed[login::kCharField + 1] = {};
    for (CGump* child = firstChild; child; child = child->next)
        if (child->IsInputControlGump())
            CopyBounded(typed, sizeof typed, static_cast<CInputControlGump*>(child)->text);
    PlaySlot(selection, typed);
    static char password[login::kCharField + 1];
    CopyBounded(password, sizeof password, typed);
    delete this;
    // Closing the dialog shows the selection; the request hides it again.
    if (pLGump) pLGump->visible = FALSE;
    App().SendPlayChar(frontend::currentCharName, password, g_road.selectedSlot);
}

void CGump::AskDeleteChar() {
    CLoginGump* selection = pLGump;
    if (!selection) return;
    selection->visible = FALSE;
    const char* characterName = selection->SelectedName();
    if (!characterName[0]) {
        ShowMessageBox("No character to delete.", selection);
        return;
    }
    auto* dialog = new CDeleteCharGump(characterName, "");
    dialog->PutInGump(nullptr);
}

void CGump::DelChar() {
    CLoginGump* selection = pLGump;
    if (!selection) {
        TWReport::fatal("%s: assertion failed: pLGump.\n", __FILE__);
        return;
    }
    if (!selection->SelectedName()[0]) {
        CGumpManager::OpenWaitingGump("No character to delete.", nullptr, TRUE, FALSE, FALSE);
        delete this;
        return;
    }
    const int id = selection->SelectedId();
    CloseWaitingGump();
    delete this;
    auto* box = new CWaitingGump(-1, -1, "Deleting character... ", selection, TRUE, FALSE, FALSE);
    if (box->firstChild) box->firstChild->visible = FALSE;
    box->PutInGump(nullptr);
    CGumpManager::pWaitingGump = box;
    frontend::requestWait = box;
    // The slot's own password goes with the request: the dialog asks for
    // none, and an empty field would be refused for a protected character.
    const char* password =
        id >= 0 && id < login::kCharSlots ? g_road.characters[id].password : "";
    PDSTRUCT packet;
    const M_DWORD local = g_pGameSocket ? g_pGameSocket->GetLocalAddress() : 0;
    PacketManager::BuildDeleteChar(&packet, password, static_cast<M_DWORD>(id), local);
    WriteToOpenGame(&packet, "CGump::DelChar");
    selection->visible = FALSE;
}

void CGump::NewChar() {
    CLoginGump* selection = pLGump;
    if (selection && selection->count >= CLoginGump::SLOTS) {
        ShowMessageBox("You already have 5 characters.", nullptr, TRUE);
        return;
    }
    if (selection) selection->visible = FALSE;
    tw::Service<CharacterCreation>::Get().OpenProfessionGump();
}

void CGump::BackToShardList() {
    if (g_pGameSocket) g_pGameSocket->Close();
    g_road.onGameServer = FALSE;
    if (!ConnectShowingWait(this)) return;
    App().SendAcctLogin(g_road.account, g_road.password, g_road.nextLoginKey);
}

// ---- The quit question ----

void CGump::QuitPrompt() {
    auto* question = new CYesNoGump("Quit         Tarrowmere?", &CGump::QuitConfirmed, &CGump::Close,
                                    nullptr);
    question->PutInGump(nullptr);
}

void CGump::QuitConfirmed() {
    LogoutFromWorld();
}
