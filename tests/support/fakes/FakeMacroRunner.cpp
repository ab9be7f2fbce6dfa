#include "support/fakes/FakeMacroRunner.h"

#include "app/App.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<std::string>& MacroCalls() {
    static std::vector<std::string> calls;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { MacroCalls().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void CApp::LoadMacros() {
    tw::fake::MacroCalls().push_back("LoadMacros");
}

void CApp::RunMacro(int index) {
    tw::fake::MacroCalls().push_back("RunMacro " + std::to_string(index));
}

void CApp::MacroTick() {
    tw::fake::MacroCalls().push_back("MacroTick");
}
