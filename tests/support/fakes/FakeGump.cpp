#include "support/fakes/FakeGump.h"

#include "support/TwTest.h"

CGump* g_focusGump = nullptr;

namespace tw::fake {
namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { g_focusGump = nullptr; });
    return true;
}();
}  // namespace
}  // namespace tw::fake
