#include "support/fakes/FakeLoginRequests.h"

#include <cstdio>

#include "app/App.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<std::string>& LoginRequests() {
    static std::vector<std::string> calls;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { LoginRequests().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void CApp::SendAcctLogin(char* account, char* password, unsigned char flag) {
    char text[128];
    snprintf(text, sizeof text, "SendAcctLogin %s %s %d", account ? account : "",
             password ? password : "", flag);
    tw::fake::LoginRequests().push_back(text);
}
