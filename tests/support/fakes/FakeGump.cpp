#include "support/fakes/FakeGump.h"

#include "support/TwTest.h"

CGump* g_focusGump = nullptr;

namespace tw::fake {
std::vector<GumpStackCall>& GumpStackCalls() {
    static std::vector<GumpStackCall> calls;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        g_focusGump = nullptr;
        GumpStackCalls().clear();
    });
    return true;
}();
}  // namespace
}  // namespace tw::fake

void CGump::BringToFront(CGump* gump, int) {
    tw::fake::GumpStackCalls().push_back({"BringToFront", gump});
}
void CGump::Minimize(CGump* gump) {
    tw::fake::GumpStackCalls().push_back({"Minimize", gump});
}
void CGump::Restore(CGump* gump) {
    tw::fake::GumpStackCalls().push_back({"Restore", gump});
}
