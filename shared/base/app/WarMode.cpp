// War mode: the request to the server and the server's answer.
#include "App.h"
#include "net/PacketManager.h"
#include "view/CircleTrans.h"
#include "view/MapGump.h"
#include "world/Player.h"

int CApp::WarModeRequest() {
    return warModeRequest;
}

BOOL CApp::PlayerAtWar() {
    return pPlayerObject && pPlayerObject->GetWarMode() ? TRUE : FALSE;
}

void CApp::SetWarMode(int mode) {
    PDSTRUCT packet;
    // A ghost first answers the death menu: resurrect as a ghost.
    if (pPlayerObject && pPlayerObject->IsBody402Or403()) {
        PacketManager::BuildDeathMenu(&packet, 0);
        WriteToGame(&packet);
    }
    if (mode == -1) mode = PlayerAtWar() ? 0 : 1;
    warModeRequest = mode;
    PacketManager::BuildFightMode(
        &packet, static_cast<M_BYTE>(mode), static_cast<M_BYTE>(warModeExtra[0]),
        static_cast<M_BYTE>(warModeExtra[1]), static_cast<M_BYTE>(warModeExtra[2]));
    WriteToGame(&packet);
    CCircleTrans::ClearSeeThroughList();
    CMapGump::ForgetObjectUnderPointer();
}
