// The application's login requests (account login, play, create).
#include "app/App.h"
#include "config/Config.h"
#include "login/LoginRoad.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"

namespace {

void OpenWaiting(const char* text) {
    tw::Service<LoginScreens>::Get().OpenWaiting(text);
}

}  // namespace

BOOL CApp::SendAcctLogin(char* account, char* password, unsigned char flag) {
    login::RememberAccount(account, password);
    OpenWaiting("Verifying Account... ");
    PDSTRUCT packet;
    PacketManager::BuildAcctLogin(&packet, login::g_road.account, login::g_road.password, flag);
    return WriteToOpenGame(&packet, "CApp::SendAcctLogin");
}

BOOL CApp::SendPlayChar(char* name, char* password, int slot) {
    OpenWaiting("Entering Veldoria...");
    PDSTRUCT packet;
    const M_DWORD local = g_pGameSocket ? g_pGameSocket->GetLocalAddress() : 0;
    PacketManager::BuildPlayChar(&packet, name ? name : "", password ? password : "",
                                 static_cast<M_DWORD>(slot), local);
    const BOOL sent = WriteToOpenGame(&packet, "CApp::SendPlayChar");
    AllowWindowResize = TRUE;
    return sent;
}

BOOL CApp::SendCreateChar() {
    OpenWaiting("Creating character... ");
    PDSTRUCT packet;
    const M_DWORD local = g_pGameSocket ? g_pGameSocket->GetLocalAddress() : 0;
    PacketManager::BuildCreateChar(&packet, createChar, local);
    return WriteToOpenGame(&packet, "CApp::SendCreateChar");
}
