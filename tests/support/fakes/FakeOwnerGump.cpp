#include "FakeOwnerGump.h"

#include "resources/GraphicManager.h"
#include "support/TwTest.h"

namespace tw::fake {

std::map<const CObj*, CGump*>& OwnerGumps() {
    static std::map<const CObj*, CGump*> gumps;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] { gumps.clear(); });
    }
    return gumps;
}

}  // namespace tw::fake

CGump* GraphicManager::FindOwnerGump(CObj* object) {
    auto it = tw::fake::OwnerGumps().find(object);
    return it == tw::fake::OwnerGumps().end() ? nullptr : it->second;
}
