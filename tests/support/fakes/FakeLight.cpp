#include "support/fakes/FakeLight.h"

#include "support/TwTest.h"
#include "view/Light.h"

int thelightthingie::personalLight = 0;

namespace tw::fake {

std::vector<const CObj*>& InvalidatedLights() {
    static std::vector<const CObj*> objects;
    return objects;
}

std::vector<std::pair<int, int>>& ViewScrolls() {
    static std::vector<std::pair<int, int>> scrolls;
    return scrolls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        InvalidatedLights().clear();
        ViewScrolls().clear();
        thelightthingie::personalLight = 0;
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void thelightthingie::ScrollView(int dx, int dy) {
    tw::fake::ViewScrolls().emplace_back(dx, dy);
}

void InvalidateObjectLight(CObj* object) {
    tw::fake::InvalidatedLights().push_back(object);
}
