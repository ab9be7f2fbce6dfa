// Registers the resets of the net module's static state with the test fixture.
#include "Platform.h"
#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/TwTest.h"

// The platform layer's quit flag; no window here.
std::atomic<int> g_quitFlag{0};

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        net_test::ResetConnectionState();
        PacketManager::reset();
        ResetConfigForTests();
    });
    return true;
}();
}  // namespace
