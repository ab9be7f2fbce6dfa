#include "support/fakes/FakeTargetCancel.h"

#include "net/PacketManager.h"
#include "support/TwTest.h"

namespace tw::fake {

int& TargetCancels() {
    static int calls = 0;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { TargetCancels() = 0; });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void PacketManager::SendTargetCancel() {
    ++tw::fake::TargetCancels();
}
