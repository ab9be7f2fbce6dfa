// The resets of the state the network service tests touch.
#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/ServerPing.h"
#include "support/TwTest.h"

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        net_test::ResetConnectionState();
        ResetPingSettings();
        ResetConfigForTests();
    });
    return true;
}();
}  // namespace
