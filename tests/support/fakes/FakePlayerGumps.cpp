#include "support/fakes/FakePlayerGumps.h"

#include "dialogs/PlayerGumps.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<std::string>& PlayerGumpCalls() {
    static std::vector<std::string> calls;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { PlayerGumpCalls().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void RefreshPlayerStatusGumps() {
    tw::fake::PlayerGumpCalls().push_back("RefreshStatus");
}

void ShowPaperdollWarMode(BOOL war) {
    tw::fake::PlayerGumpCalls().push_back(war ? "PaperdollWar 1" : "PaperdollWar 0");
}
