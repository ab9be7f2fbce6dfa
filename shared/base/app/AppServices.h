// The application's side of the interfaces that lower modules declare for
// what they must ask of it: the world model's target requests, what the
// network core asks of the application (its connection state, its login)
// and of the windows above it (the application hands each on to the module
// that owns it), the speech code's ignore list and throttle, the screen
// update's input line.  main installs them with InstallAppServices at
// start-up; a test installs the one it needs with tw::ScopedService.  Each
// implementation lives for the process.
#pragma once

#include "gumps/InputControlGump.h"
#include "login/CharCreation.h"
#include "net/ConnectionEvents.h"
#include "net/WorldMessageEvents.h"
#include "view/MapGump.h"
#include "view/ScreenGumps.h"
#include "world/TargetRequests.h"

class AppSpeech;
class InputLineRedraw;

// The ignore list, the spam throttle and the speech hues and fonts, for the
// speech display and sender.
AppSpeech& ApplicationSpeech();
// The speech input line that the screen update redraws.
InputLineRedraw& ApplicationInputLine();

void InstallAppServices();
// The application's side of the login front end (login/FrontEnd.h); part
// of InstallAppServices.
void InstallAppFrontEnd();

class AppCreationRequests : public CreationRequests {
public:
    int IsBadName(const char* name) override;
    BOOL SendCreateChar(const CharCreateRecord& info) override;
};

class AppTargetRequests : public TargetRequests {
public:
    void BeginTarget(const char* command, int kind, int number) override;
};

// The target cursor of an input field that names a mobile.
class AppInputTargets : public InputTargetCursor {
public:
    BOOL IsTargeting() override;
    void SetTargetCursor(int kind, void (*callback)(CDrawItem* picked)) override;
    void EndTarget() override;
};

// The target cursor as the play area answers it.
class AppPlayAreaSession : public PlayAreaSession {
public:
    BOOL IsTargeting() override;
    int TargetKind() override;
    void AnswerTarget(CDrawItem* picked) override;
    void EndTarget() override;
};

class AppConnectionEvents : public ConnectionEvents {
public:
    BOOL IsConnected() override;
    void SetConnected(BOOL on) override;
    M_DWORD GetChosenAddress() override;
    M_WORD GetChosenPort() override;
    void ChooseServer(int backup) override;
    void SendAcctLogin(char* account, char* password, unsigned char flag) override;
    BOOL ReturnToLoginScreens(const char* text) override;
};

class AppConnectionWindows : public ConnectionWindows {
public:
    CWaitingGump* OpenWaitingGump(const void* text, CGump* parent, int withButton,
                                  int logoutOnClose, int wideText) override;
    BOOL IsGumpOpen(const void* gump) override;
    void CloseDragGump() override;
    void BeginWait() override;
    void EndWait() override;
    void SetCursorType(int kind) override;
    void SetMode(CInputWindow* line, int mode) override;
    void UpdatePrompt(CInputWindow* line) override;
    void OpenHelpMailGump(int flagA, const M_WORD* recipient, const M_WORD* recipientName,
                          int useAccount, int flagB, const M_WORD* subject, int flagC,
                          const M_WORD* body, const M_WORD* windowArgument,
                          const M_WORD* senderId) override;
    const char* GetCurrentCharacterName() override;
    const char* GetCurrentShardName() override;
};

// The death text to the communication dialogs, the main menu to the login
// screens.
class AppScreenGumps : public ScreenGumps {
public:
    CGump* MakeFreeText(const char* text, int hue, int font) override;
    CMainMenuGump* OpenMainMenuGump() override;
};

class AppWorldMessages : public WorldMessageApp {
public:
    void ResetWorldState() override;
    void ClearBackBuffer() override;
    void SetInWorld() override;
    void SetWarMode(int mode) override;
    void ApplyWarMode(int mode) override;
    void SetFightModes(int first, int second, int third) override;
    const char* GetVersionText() override;
    void SetWindowTitle(const char* title) override;
    const char* GetCurrentCharacterName() override;
    const char* GetCurrentShardName() override;
    void SetGameClock(int hour, int minute, int step) override;
    void BeginServerTarget() override;
    void EndTarget() override;
};
