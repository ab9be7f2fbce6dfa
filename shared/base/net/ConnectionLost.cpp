// What the client does when its connection fails: on the login screens, back
// to the main menu; in the world "Connection lost" and, before the login has
// completed, a new connection every 13th call.
#include <unistd.h>

#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/ConnectionEvents.h"
#include "resources/GraphicManager.h"

namespace {

// Starts at 0 so that the first loss reconnects at once.
int g_reconnectCountdown = 0;
CWaitingGump* g_connectionLostGump = nullptr;

}  // namespace

void HandleConnectionLost(CClientSock*, const char*) {
    ConnectionEvents& app = net::Application();
    ConnectionWindows& windows = net::Windows();
    if (!app.IsConnected()) return;
    // On the login screens a new connection would only ask for the account
    // again and again while the player waits: they go back to the main menu.
    if (app.ReturnToLoginScreens("Connection lost")) return;
    if (!g_connectionLostGump || !windows.IsGumpOpen(g_connectionLostGump)) {
        windows.CloseDragGump();
        g_connectionLostGump = windows.OpenWaitingGump("Connection lost", nullptr, 0, 1, 0);
    }
    if (--g_reconnectCountdown <= 0) {
        g_reconnectCountdown = 13;
        if (!g_loginComplete) {
            // The old connection may be the one whose poll called us: it is
            // retired, not deleted, until that poll ends.
            ReplaceGameSocket(new CClientSock);
            app.ChooseServer(0);
            if (g_pGameSocket->Connect(app.GetChosenAddress(), app.GetChosenPort()))
                app.SendAcctLogin(AcctID, AcctPassword, NextLoginKey);
        }
    }
    GraphicManager::UpdateScreen();
    usleep(76 * 1000);
}

namespace net_test {

void ResetConnectionState() {
    g_reconnectCountdown = 0;
    g_connectionLostGump = nullptr;
    ReplaceGameSocket(nullptr);
    g_connectSeed = 0;
    g_loginComplete = FALSE;
}

}  // namespace net_test
