// What the gump base reads and clears in the world object a gump shows.
//
// These are the only places where the gump base touches world objects.  The
// sanitizer's dynamic-type check of a call through CObj would link the
// object classes' type information, and with it the whole world model, into
// every program that builds a gump, also those that stand in for the world
// model; the calls here are plain virtual calls on a pointer that the world
// keeps valid (it clears a gump's owner before the object goes), so the check
// is left out for these few functions.
#include <initializer_list>

#include "gumps/Gump.h"
#include "gumps/GumpObjects.h"
#include "world/Mobile.h"
#include "world/Obj.h"

#define TW_NO_VPTR_CHECK __attribute__((no_sanitize("vptr")))

TW_NO_VPTR_CHECK BOOL ObjectIsPlayer(CObj* object) {
    return object && object->IsPlayer();
}

TW_NO_VPTR_CHECK BOOL CGump::OwnerIsMobileOrCorpse() const {
    return owner && (owner->IsMobile() || owner->IsCorpse());
}

TW_NO_VPTR_CHECK int CGump::GetItemArtGraphic() {
    return owner ? owner->objectType + owner->increment : -1;
}

TW_NO_VPTR_CHECK void ForgetGumpInOwner(CGump* gump) {
    CObj* object = gump->owner;
    if (!object || !object->IsDynamic()) return;
    auto* dynamic = static_cast<CDynamicObj*>(object);
    for (CGump** slot : {&dynamic->gump, &dynamic->gump2, &dynamic->gump3})
        if (*slot == gump) *slot = nullptr;
    if (object->IsContainer()) {
        auto* container = static_cast<CContainerObj*>(object);
        if (container->containerGump == gump) container->containerGump = nullptr;
    }
    if (object->IsItemObj()) {
        auto* item = static_cast<CItemObj*>(object);
        if (item->pinGump == gump) item->pinGump = nullptr;
    }
    if (object->IsMobile()) {
        auto* mobile = static_cast<CMobile*>(object);
        if (mobile->tradeGump == gump) mobile->tradeGump = nullptr;
        for (CGump** link = &mobile->ownedGumps; *link; link = &(*link)->nextOwned) {
            if (*link == gump) {
                *link = gump->nextOwned;
                gump->nextOwned = nullptr;
                break;
            }
        }
    }
}
