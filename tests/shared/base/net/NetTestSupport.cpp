// Registers the resets of the net module's static state with the test fixture.
#include "net/PacketManager.h"
#include "support/TwTest.h"

namespace {
const bool registered = [] {
    tw::test::AddServiceReset(PacketManager::reset);
    return true;
}();
}  // namespace
