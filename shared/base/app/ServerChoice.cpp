// The choice of login server and the connection attempts.
#include <cstdlib>

#include "App.h"
#include "Clock.h"
#include "ProcessFlags.h"
#include "TWReport.h"
#include "config/Config.h"
#include "net/ClientSock.h"

namespace {

void choose(M_DWORD address, M_WORD port) {
    CApp::chosenAddress = address;
    CApp::chosenPort = port;
}

// One pass over a list: up to count attempts (at least one), from the
// current index on, wrapping.
bool tryList(LoginServerList& list, int backup) {
    const int count = list.count;
    const int attempts = count > 0 ? count : 1;
    for (int i = 0; i < attempts; ++i) {
        ChooseServer(backup);
        if (g_quitFlag.load() != 0) return false;
        // An address of 0 was never resolved: nothing to connect to.
        if (CApp::chosenAddress != 0 && g_pGameSocket &&
            g_pGameSocket->Connect(CApp::chosenAddress, CApp::chosenPort))
            return true;
        list.current = count > 0 ? (list.current + 1) % count : 0;
    }
    return false;
}

}  // namespace

void ChooseServer(int backup) {
    TWReport::print("File:%s, Function:ChooseServer: begin.\n", "shared/base/multcli");
    CApp::inWorld = FALSE;
    if (g_pGameSocket) {
        g_pGameSocket->SetLoginStreamOff(FALSE);
        g_pGameSocket->SetGameMode(FALSE);
    }
    if (EditServerAddress != 0) {
        choose(EditServerAddress, EditServerPort);
        return;
    }
    LoginServerList& list = backup ? backupLoginServers : loginServers;
    if (!backup && list.current == 0)
        TWReport::print(
            "ChooseServer: trying the first login server. If none answers, check that "
            "'login.cfg' exists and holds a line 'LoginServer=<host>,<port>'.\n");
    if (list.current < 0) {
        g_quitFlag = 1;
        return;
    }
    // An empty list (or an index past its end) names no server: choose none
    // rather than a slot that holds nothing.
    if (list.current >= list.count) {
        TWReport::warning("ChooseServer: no login server in slot %d.\n", list.current);
        choose(0, 0);
        return;
    }
    const LoginServerSlot& slot = list.slots[list.current];
    if (slot.address != 0 || !slot.host) {
        choose(slot.address, slot.port);
        return;
    }
    int a, b, c, d, port;
    if (!ResolveServerAddress(slot.host, &a, &b, &c, &d, &port)) {
        choose(0, 0);
        return;
    }
    choose(static_cast<M_DWORD>(a) << 24 | static_cast<M_DWORD>(b) << 16 |
               static_cast<M_DWORD>(c) << 8 | static_cast<M_DWORD>(d),
           static_cast<M_WORD>(port));
}

int CApp::ConnectToServer() {
    connected = TRUE;
    if (GameConnectionOpen()) return 1;

    srand(GetTimeMs());
    LoginServerList& main = loginServers;
    main.current = main.count > 0 ? rand() % main.count : 0;
    bool ok = tryList(main, 0);
    main.current = main.count > 0 ? rand() % main.count : 0;
    if (ok) return 1;

    LoginServerList& backup = backupLoginServers;
    if (backup.count > 0 && g_quitFlag.load() == 0) {
        backup.current = rand() % backup.count;
        if (tryList(backup, 1)) return 1;
    }
    connected = FALSE;
    return 0;
}

BOOL CApp::IsConnected() {
    return connected;
}

M_DWORD CApp::GetChosenAddress() {
    return chosenAddress;
}

M_WORD CApp::GetChosenPort() {
    return chosenPort;
}
