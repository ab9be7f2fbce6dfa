#include "support/fakes/FakeMacros.h"

#include <deque>

#include "support/TwTest.h"

CMacro* g_macroList = nullptr;

namespace tw::fake {

namespace {
std::deque<CMacro>& Store() {
    static std::deque<CMacro> store;
    return store;
}

const bool registered = [] {
    tw::test::AddServiceReset([] {
        g_macroList = nullptr;
        Store().clear();
    });
    return true;
}();
}  // namespace

CMacro& AddMacro(unsigned code, bool control, bool alt, bool shift) {
    CMacro& macro = Store().emplace_back();
    macro.keyCode = code;
    macro.control = control;
    macro.alt = alt;
    macro.shift = shift;
    CMacro** tail = &g_macroList;
    while (*tail != nullptr) tail = &(*tail)->next;
    *tail = &macro;
    return macro;
}

}  // namespace tw::fake
