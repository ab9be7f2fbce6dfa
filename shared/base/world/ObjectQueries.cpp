// What the application object asks of a world object that the player
// picked with a target cursor.
#include "world/ObjectQueries.h"

#include "world/Mobile.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/ViewHooks.h"

void GetObjectLocation(CDrawItem* object, int* x, int* y, int* z) {
    *x = object ? object->locX : 0;
    *y = object ? object->locY : 0;
    *z = object ? object->z : 0;
}

BOOL IsMobileObject(CDrawItem* object) {
    return object && object->IsMobile() ? TRUE : FALSE;
}

M_DWORD GetObjectSerial(CDrawItem* object) {
    if (!object || !object->IsDynamic() || !object->IsObj()) return 0;
    return static_cast<CDynamicObj*>(object)->GetSerial();
}

CObj* GetEquippedItem(CObj* mobile, int layer) {
    if (!mobile || !mobile->IsMobile() || layer < 1 || layer >= CMobile::LAYERS) return nullptr;
    return static_cast<CMobile*>(mobile)->equippedItem[layer];
}

int GetMobilesOnScreen(CObj** out, int max) {
    return world::Screen().GetMobilesOnScreen(out, max);
}

int GetCorpsesOnScreen(CObj** out, int max) {
    return world::Screen().GetCorpsesOnScreen(out, max);
}

void SetHeldItem(CObj* item) {
    if (!item || !item->IsDynamic()) return;
    auto* object = static_cast<CDynamicObj*>(item);
    HeldObject& held = CObjectManager::held;
    held.serial = object->GetSerial();
    held.graphic = object->objectType;
    held.increment = object->increment;
    held.amount = object->amount;
    held.hue = NormalizeHue(object->hue);
}

void ShowOverheadText(CObj* object, const char* text) {
    if (object && object->IsDynamic())
        static_cast<CDynamicObj*>(object)->AddOverheadText(text, 0, 3, nullptr, 0);
}
