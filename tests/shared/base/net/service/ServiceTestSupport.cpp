// What the network library needs from the platform layer in these tests (the
// quit flag, which stays 0), and the resets of the state the tests touch.
#include <atomic>

#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/ServerPing.h"
#include "support/TwTest.h"

std::atomic<int> g_quitFlag{0};

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
