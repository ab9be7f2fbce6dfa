#include "support/fakes/FakeLight.h"

#include "support/TwTest.h"
#include "view/Light.h"

int thelightthingie::personalLight = 0;

namespace tw::fake {

std::vector<const CObj*>& InvalidatedLights() {
    static std::vector<const CObj*> objects;
    return objects;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        InvalidatedLights().clear();
        thelightthingie::personalLight = 0;
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void InvalidateObjectLight(CObj* object) {
    tw::fake::InvalidatedLights().push_back(object);
}
