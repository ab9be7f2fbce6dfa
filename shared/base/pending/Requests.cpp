// Stand-in of a request that comes with later work: the network layer's
// target answers.
#include "app/App.h"
#include "net/PacketManager.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class TargetMessagesStandIn : public TargetMessages {
public:
    void SendTargetCancel() override {
        TW_PENDING("PacketManager::SendTargetCancel");
        CApp::EndTarget();
    }
};

}  // namespace

void InstallPendingTargetMessages() {
    InstallStandIn<TargetMessagesStandIn, TargetMessages>();
}
