// The one place the application object hands packets to the game
// connection.
#include "App.h"
#include "net/ClientSock.h"

BOOL CApp::WriteToGame(PDSTRUCT* packet) {
    if (!g_pGameSocket) return FALSE;
    return g_pGameSocket->Write(packet);
}
