// Resets of the game connection's state for the walk tests.
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "support/TwTest.h"

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        ReplaceGameSocket(nullptr);
        net_test::ResetConnectionState();
        PacketManager::reset();
        GraphicManager::reset();
    });
    return true;
}();
}  // namespace
