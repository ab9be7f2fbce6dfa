// What the network core asks of the modules above it.
//
// The game connection, the server ping and the message service sit below
// the gump framework, the login screens, the communication dialogs and the
// application object.  Where they must reach one of those (the connection is
// lost and a new login goes out, a box says so, the wait cursor shows, the
// help mail opens its window), they go through these two interfaces.  The
// application implements them, handing each call on to the module that owns
// it, and main installs them at start-up; tests install recording doubles.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CGump;
class CInputWindow;
class CWaitingGump;

// The application object's connection state and its login.
class ConnectionEvents {
public:
    static constexpr const char* kServiceName = "ConnectionEvents";
    virtual ~ConnectionEvents() = default;

    // The application's connected flag.
    virtual BOOL IsConnected() = 0;
    virtual void SetConnected(BOOL on) = 0;
    // The login server chosen last: its IPv4 address (host order) and port.
    virtual M_DWORD GetChosenAddress() = 0;
    virtual M_WORD GetChosenPort() = 0;
    // Chooses a login server anew (backup: from the backup list).
    virtual void ChooseServer(int backup) = 0;
    // Sends the account login (0x80) on the game connection.
    virtual void SendAcctLogin(char* account, char* password, unsigned char flag) = 0;
    // A lost connection while the login screens are up: they go back to the
    // main menu showing text, the connected flag cleared, and TRUE is
    // returned.  FALSE once the world is entered.
    virtual BOOL ReturnToLoginScreens(const char* text) = 0;
};

// The windows, the pointer and the screen.
class ConnectionWindows {
public:
    static constexpr const char* kServiceName = "ConnectionWindows";
    virtual ~ConnectionWindows() = default;

    // A message box on the front end (CGumpManager::OpenWaitingGump), whether
    // a gump is still open, and the drag gump of a held item closed.
    virtual CWaitingGump* OpenWaitingGump(const void* text, CGump* parent, int withButton,
                                          int logoutOnClose, int wideText) = 0;
    virtual BOOL IsGumpOpen(const void* gump) = 0;
    virtual void CloseDragGump() = 0;
    // The wait cursor shown and ended, and the cursor's kind (17 normal).
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    virtual void SetCursorType(int kind) = 0;
    // The speech input line after a prompt was answered: its speech mode
    // and its prompt prefix.
    virtual void SetMode(CInputWindow* line, int mode) = 0;
    virtual void UpdatePrompt(CInputWindow* line) = 0;
    // The help-mail window built from the help-mail arguments.
    virtual void OpenHelpMailGump(int flagA, const M_WORD* recipient, const M_WORD* recipientName,
                                  int useAccount, int flagB, const M_WORD* subject, int flagC,
                                  const M_WORD* body, const M_WORD* windowArgument,
                                  const M_WORD* senderId) = 0;
    // The character in play and the current shard as the login screens
    // hold them (empty when none).
    virtual const char* GetCurrentCharacterName() = 0;
    virtual const char* GetCurrentShardName() = 0;
};

namespace net {
inline ConnectionEvents& Application() {
    return tw::Service<ConnectionEvents>::Get();
}
inline ConnectionWindows& Windows() {
    return tw::Service<ConnectionWindows>::Get();
}
}  // namespace net
