#include "support/fakes/FakeObjectQueries.h"

#include "support/TwTest.h"
#include "world/Obj.h"
#include "world/ObjectQueries.h"

namespace tw::fake {

std::map<const CDrawItem*, PickedObject>& PickedObjects() {
    static std::map<const CDrawItem*, PickedObject> objects;
    return objects;
}

std::map<std::pair<const CObj*, int>, CObj*>& EquippedItems() {
    static std::map<std::pair<const CObj*, int>, CObj*> items;
    return items;
}

std::vector<CObj*>& MobilesOnScreen() {
    static std::vector<CObj*> mobiles;
    return mobiles;
}

std::vector<CObj*>& CorpsesOnScreen() {
    static std::vector<CObj*> corpses;
    return corpses;
}

std::vector<std::string>& ObjectCalls() {
    static std::vector<std::string> calls;
    return calls;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        PickedObjects().clear();
        EquippedItems().clear();
        MobilesOnScreen().clear();
        CorpsesOnScreen().clear();
        ObjectCalls().clear();
    });
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

CObj* GetEquippedItem(CObj* mobile, int layer) {
    auto it = tw::fake::EquippedItems().find({mobile, layer});
    return it == tw::fake::EquippedItems().end() ? nullptr : it->second;
}

namespace {
int CopyObjects(const std::vector<CObj*>& from, CObj** out, int max) {
    int n = 0;
    for (CObj* object : from) {
        if (n >= max) break;
        out[n++] = object;
    }
    return n;
}
}  // namespace

int GetMobilesOnScreen(CObj** out, int max) {
    return CopyObjects(tw::fake::MobilesOnScreen(), out, max);
}

int GetCorpsesOnScreen(CObj** out, int max) {
    return CopyObjects(tw::fake::CorpsesOnScreen(), out, max);
}

void SetHeldItem(CObj* item) {
    tw::fake::ObjectCalls().push_back("SetHeldItem " + std::to_string(GetObjectSerial(item)));
}

void ShowOverheadText(CObj* object, const char* text) {
    tw::fake::ObjectCalls().push_back("OverheadText " + std::to_string(GetObjectSerial(object)) +
                                      " " + text);
}
