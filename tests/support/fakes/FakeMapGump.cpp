#include "support/fakes/FakeMapGump.h"

#include "support/TwTest.h"
#include "view/MapGump.h"

namespace tw::fake {

int& HoverForgets() {
    static int calls = 0;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { HoverForgets() = 0; });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void CMapGump::ForgetObjectUnderPointer() {
    ++tw::fake::HoverForgets();
}
