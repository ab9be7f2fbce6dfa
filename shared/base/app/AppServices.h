// The application's side of the modules below it: what the world model and
// the network core ask of the application (its target cursor, its
// connection state, its login) and of the windows above them, which the
// application hands on to the module that owns each.  main installs one of
// each at start-up.
#pragma once

#include "net/ConnectionEvents.h"
#include "world/TargetRequests.h"

class AppTargetRequests : public TargetRequests {
public:
    void BeginTarget(const char* command, int kind, int number) override;
};

class AppConnectionEvents : public ConnectionEvents {
public:
    BOOL IsConnected() override;
    M_DWORD GetChosenAddress() override;
    M_WORD GetChosenPort() override;
    void ChooseServer(int backup) override;
    void SendAcctLogin(char* account, char* password, unsigned char flag) override;
};

class AppConnectionWindows : public ConnectionWindows {
public:
    CWaitingGump* OpenWaitingGump(const void* text, CGump* parent, int withButton,
                                  int logoutOnClose, int wideText) override;
    BOOL IsGumpOpen(const void* gump) override;
    void CloseDragGump() override;
    void UpdateScreen() override;
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
