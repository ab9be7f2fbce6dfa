// The application's login requests (account login, play, create).
#include "TWReport.h"
#include "app/App.h"
#include "config/Config.h"
#include "login/LoginRoad.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"

namespace {

// Writes the packet only to an open connection: a request made after the
// connection closed would otherwise sit in the output of a dead socket.
BOOL WriteLoginRequest(PDSTRUCT* packet, const char* what) {
    if (!g_pGameSocket || g_pGameSocket->Descriptor() == -1) {
        TWReport::warning("CApp::%s: the connection is not open; nothing is sent.\n", what);
        return FALSE;
    }
    return g_pGameSocket->Write(packet);
}

void OpenWaiting(const char* text) {
    tw::Service<LoginScreens>::Get().OpenWaiting(text);
}

}  // namespace

BOOL CApp::SendAcctLogin(char* account, char* password, unsigned char flag) {
    login::RememberAccount(account, password);
    OpenWaiting("Verifying Account... ");
    PDSTRUCT packet;
    PacketManager::BuildAcctLogin(&packet, login::g_road.account, login::g_road.password, flag);
    return WriteLoginRequest(&packet, "SendAcctLogin");
}

BOOL CApp::SendPlayChar(char* name, char* password, int slot) {
    OpenWaiting("Entering Veldoria...");
    PDSTRUCT packet;
    const M_DWORD local = g_pGameSocket ? g_pGameSocket->GetLocalAddress() : 0;
    PacketManager::BuildPlayChar(&packet, name ? name : "", password ? password : "",
                                 static_cast<M_DWORD>(slot), local);
    const BOOL sent = WriteLoginRequest(&packet, "SendPlayChar");
    AllowWindowResize = TRUE;
    return sent;
}

BOOL CApp::SendCreateChar() {
    OpenWaiting("Creating character... ");
    PDSTRUCT packet;
    const M_DWORD local = g_pGameSocket ? g_pGameSocket->GetLocalAddress() : 0;
    PacketManager::BuildCreateChar(&packet, createChar, local);
    return WriteLoginRequest(&packet, "SendCreateChar");
}
