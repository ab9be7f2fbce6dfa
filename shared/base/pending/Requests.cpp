// Stand-ins of two requests that come with later work: the application's
// account login and the network layer's target answers.
#include "app/App.h"
#include "net/PacketManager.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class LoginSendsStandIn : public LoginSends {
public:
    void SendAcctLogin(char*, char*, unsigned char) override { TW_PENDING("CApp::SendAcctLogin"); }
};

class TargetMessagesStandIn : public TargetMessages {
public:
    void SendTargetCancel() override {
        TW_PENDING("PacketManager::SendTargetCancel");
        CApp::EndTarget();
    }
};

}  // namespace

void InstallPendingLoginSends() {
    InstallStandIn<LoginSendsStandIn, LoginSends>();
}

void InstallPendingTargetMessages() {
    InstallStandIn<TargetMessagesStandIn, TargetMessages>();
}
