// Resets of the game connection's state for the walk tests, and the one
// screen service the connection calls.
#include "Platform.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "support/TwTest.h"

// The platform layer's quit flag; no window here.
std::atomic<int> g_quitFlag{0};

// A lost connection updates the screen; there is none here.
void GraphicManager::UpdateScreen() {}

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
