#include "support/fakes/FakeMultiManager.h"

#include "support/TwTest.h"
#include "world/MultiManager.h"
#include "world/Obj.h"

namespace tw::fake {

MultiState& Multis() {
    static MultiState state;
    return state;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { Multis() = MultiState{}; });
    return true;
}();
}  // namespace

}  // namespace tw::fake

MultiComponentList::~MultiComponentList() {
    ++tw::fake::Multis().listsDestroyed;
}

void MultiManager::FreeComponentList(MultiComponentList* list) {
    ++tw::fake::Multis().listsFreed;
    list->placed = 0;
}

void SetObjectMulti(CDynamicObj* object, int x, int y, int z, int multiNumber) {
    tw::fake::Multis().calls.push_back({object, x, y, z, multiNumber});
    if (!object->inVoid) object->ToVoid();
    object->ToWorld(Coords(static_cast<short>(x), static_cast<short>(y), static_cast<short>(z)));
}
