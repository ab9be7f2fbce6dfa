#include "net/PacketManager.h"

#include "app/App.h"
#include "pending/Pending.h"

void PacketManager::SendTargetCancel() {
    TW_PENDING("PacketManager::SendTargetCancel");
    CApp::EndTarget();
}
