#include "app/AppServices.h"

#include "Service.h"
#include "app/App.h"
#include "comm/AppSpeech.h"
#include "comm/BarkGump.h"
#include "comm/MailGumps.h"
#include "gumps/GumpManager.h"
#include "gumps/InputWindow.h"
#include "gumps/MouseManager.h"
#include "login/FrontEnd.h"
#include "login/LoginState.h"
#include "login/MainMenuGump.h"
#include "net/TargetState.h"
#include "view/InputLineRedraw.h"

void InstallAppServices() {
    InstallAppFrontEnd();
    static AppTargetRequests targets;
    static AppInputTargets inputTargets;
    static AppPlayAreaSession playArea;
    static AppConnectionEvents events;
    static AppConnectionWindows windows;
    static AppScreenGumps screenGumps;
    static AppWorldMessages worldMessages;
    static AppCreationRequests creation;
    tw::Service<AppSpeech>::Install(&ApplicationSpeech());
    tw::Service<InputLineRedraw>::Install(&ApplicationInputLine());
    tw::Service<TargetRequests>::Install(&targets);
    tw::Service<InputTargetCursor>::Install(&inputTargets);
    tw::Service<PlayAreaSession>::Install(&playArea);
    tw::Service<ConnectionEvents>::Install(&events);
    tw::Service<ConnectionWindows>::Install(&windows);
    tw::Service<ScreenGumps>::Install(&screenGumps);
    tw::Service<WorldMessageApp>::Install(&worldMessages);
    tw::Service<CreationRequests>::Install(&creation);
}

CGump* AppScreenGumps::MakeFreeText(const char* text, int hue, int font) {
    return CBarkGump::Make(nullptr, text, hue, font);
}
CMainMenuGump* AppScreenGumps::OpenMainMenuGump() {
    CMainMenuGump* menu = CMainMenuGump::Make();
    menu->PutInGump(nullptr);
    return menu;
}

void AppTargetRequests::BeginTarget(const char* command, int kind, int number) {
    CApp::BeginTarget(command, kind, number);
}

BOOL AppInputTargets::IsTargeting() {
    return CApp::targeting;
}
void AppInputTargets::SetTargetCursor(int, void (*callback)(CDrawItem*)) {
    CApp::SetTargetCursor();
    CApp::targetCallback = callback;
}
void AppInputTargets::EndTarget() {
    CApp::EndTarget();
    CApp::targetCallback = nullptr;
}

BOOL AppPlayAreaSession::IsTargeting() {
    return CApp::targeting && CApp::targetCallback;
}
int AppPlayAreaSession::TargetKind() {
    return CApp::targetKind;
}
void AppPlayAreaSession::AnswerTarget(CDrawItem* picked) {
    // The routine is taken first: answering may start the next target.
    CApp::TargetCallback answer = CApp::targetCallback;
    if (answer) answer(picked);
}
void AppPlayAreaSession::EndTarget() {
    CApp::EndTarget();
    CApp::targetCallback = nullptr;
    g_targetCursorFlag = 0;
}

BOOL AppConnectionEvents::IsConnected() {
    return CApp::IsConnected();
}

void AppConnectionEvents::SetConnected(BOOL on) {
    CApp::connected = on;
}
M_DWORD AppConnectionEvents::GetChosenAddress() {
    return CApp::GetChosenAddress();
}
M_WORD AppConnectionEvents::GetChosenPort() {
    return CApp::GetChosenPort();
}
void AppConnectionEvents::ChooseServer(int backup) {
    ::ChooseServer(backup);
}
void AppConnectionEvents::SendAcctLogin(char* account, char* password, unsigned char flag) {
    CApp::SendAcctLogin(account, password, flag);
}
BOOL AppConnectionEvents::ReturnToLoginScreens(const char* text) {
    return ::ReturnToLoginScreens(text);
}

CWaitingGump* AppConnectionWindows::OpenWaitingGump(const void* text, CGump* parent, int withButton,
                                                    int logoutOnClose, int wideText) {
    // The network's boxes are never the large kind.
    return CGumpManager::OpenWaitingGump(text, parent, withButton, FALSE, logoutOnClose, wideText);
}
BOOL AppConnectionWindows::IsGumpOpen(const void* gump) {
    return CGumpManager::IsGumpOpen(gump);
}
void AppConnectionWindows::CloseDragGump() {
    CGumpManager::CloseDragGump();
}
void AppConnectionWindows::BeginWait() {
    MouseManager::BeginWait();
}
void AppConnectionWindows::EndWait() {
    MouseManager::EndWait();
}
void AppConnectionWindows::SetCursorType(int kind) {
    MouseManager::SetCursorType(kind);
}
void AppConnectionWindows::SetMode(CInputWindow* line, int mode) {
    line->SetMode(mode);
}
void AppConnectionWindows::UpdatePrompt(CInputWindow* line) {
    CInputWindow::UpdatePrompt(line);
}
void AppConnectionWindows::OpenHelpMailGump(int flagA, const M_WORD* recipient,
                                            const M_WORD* recipientName, int useAccount, int flagB,
                                            const M_WORD* subject, int flagC, const M_WORD* body,
                                            const M_WORD* windowArgument, const M_WORD* senderId) {
    ::OpenHelpMailGump(flagA, recipient, recipientName, useAccount, flagB, subject, flagC, body,
                       windowArgument, senderId);
}
const char* AppConnectionWindows::GetCurrentCharacterName() {
    return ::GetCurrentCharacterName();
}
const char* AppConnectionWindows::GetCurrentShardName() {
    return ::GetCurrentShardName();
}
