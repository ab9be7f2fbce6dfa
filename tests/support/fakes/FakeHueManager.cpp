#include "support/fakes/FakeHueManager.h"

#include <cstring>
#include <map>

#include "support/TwTest.h"

namespace tw::fake {

namespace {
std::map<int, Hue>& Table() {
    static std::map<int, Hue> table;
    return table;
}

const bool registered = [] {
    tw::test::AddServiceReset([] { Table().clear(); });
    return true;
}();
}  // namespace

Hue& HueEntry(int number) {
    auto it = Table().find(number);
    if (it == Table().end()) {
        Hue blank;
        std::memset(&blank, 0, sizeof blank);
        it = Table().emplace(number, blank).first;
    }
    return it->second;
}

}  // namespace tw::fake

void HueManager::startup() {}
void HueManager::shutdown() {}

const Hue* HueManager::GetHue(int number) {
    if (number < 0 || number >= kNumHues) return nullptr;
    return &tw::fake::HueEntry(number);
}
