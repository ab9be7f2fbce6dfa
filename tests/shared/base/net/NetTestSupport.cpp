// Registers the resets of the net module's static state with the test fixture.
#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/TwTest.h"

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
