#include "support/fakes/FakeObjectQueries.h"

#include "support/TwTest.h"
#include "world/ObjectQueries.h"

namespace tw::fake {

std::map<const CDrawItem*, PickedObject>& PickedObjects() {
    static std::map<const CDrawItem*, PickedObject> objects;
    return objects;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { PickedObjects().clear(); });
    return true;
}();

PickedObject Find(CDrawItem* object) {
    auto it = PickedObjects().find(object);
    return it == PickedObjects().end() ? PickedObject() : it->second;
}
}  // namespace

}  // namespace tw::fake

void GetObjectLocation(CDrawItem* object, int* x, int* y, int* z) {
    tw::fake::PickedObject o = tw::fake::Find(object);
    *x = o.x;
    *y = o.y;
    *z = o.z;
}

BOOL IsMobileObject(CDrawItem* object) {
    return tw::fake::Find(object).mobile ? TRUE : FALSE;
}

M_DWORD GetObjectSerial(CDrawItem* object) {
    return tw::fake::Find(object).serial;
}
