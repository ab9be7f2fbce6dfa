// What the client does when its connection fails: "Connection lost" and,
// before the login has completed, a new connection every 13th call.
#include <unistd.h>

#include "app/App.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "net/ClientSock.h"
#include "resources/GraphicManager.h"

namespace {

// Starts at 0 so that the first loss reconnects at once.
int g_reconnectCountdown = 0;
CWaitingGump* g_connectionLostGump = nullptr;

}  // namespace

void HandleConnectionLost(CClientSock*, const char*) {
    if (!CApp::IsConnected()) return;
    if (!g_connectionLostGump || !CGumpManager::IsGumpOpen(g_connectionLostGump)) {
        CGumpManager::CloseDragGump();
        g_connectionLostGump = CGumpManager::OpenWaitingGump("Connection lost", nullptr, 0, 0, 1);
    }
    if (--g_reconnectCountdown <= 0) {
        g_reconnectCountdown = 13;
        if (!g_loginComplete) {
            // The old connection may be the one whose poll called us: it is
            // retired, not deleted, until that poll ends.
            ReplaceGameSocket(new CClientSock);
            ChooseServer(0);
            if (g_pGameSocket->Connect(CApp::GetChosenAddress(), CApp::GetChosenPort()))
                CApp::SendAcctLogin(AcctID, AcctPassword, NextLoginKey);
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
