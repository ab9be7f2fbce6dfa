// What the user does with objects: range and reach, picking up, using, and
// the player's personal light.
#include <cstdlib>

#include "DebugHooks.h"
#include "world/GumpHooks.h"
#include "world/Mobile.h"
#include "world/MultiManager.h"
#include "world/ObjectManager.h"
#include "world/TargetRequests.h"
#include "world/ViewHooks.h"
#include "world/WorldInternal.h"
#include "world/WorldRequests.h"

namespace {

// Scrolls that show the target cursor when used, by the kind of target
// they ask for; any other object sends the use request.
struct TargetScroll {
    int graphic;
    int kind;
};
constexpr TargetScroll kTargetScrolls[] = {
    {3827, 1}, {3828, 1}, {3829, 0}, {3830, 0}, {3833, 0}, {3831, 2}, {3832, 2}, {899, 2},
};

}  // namespace

BOOL CObjectManager::IsInRange(CObj* object, int range) {
    if (!object) return FALSE;
    CPlayer* player = pPlayerObject;
    // Without a player nothing is out of range.
    if (!player || object == player) return TRUE;
    int x = object->locX;
    int y = object->locY;
    if (object->IsMobile()) {
        static_cast<CMobile*>(object)->GetTargetCell(&x, &y, nullptr);
    } else if (object->IsDynamic()) {
        CDynamicObj* top = static_cast<CDynamicObj*>(object)->TopLevel();
        x = top->locX;
        y = top->locY;
        if (top->multi) range += top->multi->extent;
    }
    return std::abs(x - player->locX) <= range && std::abs(y - player->locY) <= range;
}

BOOL CObjectManager::CanReachObject(CDynamicObj* object) {
    CPlayer* player = pPlayerObject;
    if (!object || !player || !IsInRange(object, 3)) return FALSE;
    CDynamicObj* top = object->TopLevel();
    const Coords from(player->locX, player->locY, static_cast<short>(player->z + 12));
    const Coords to(top->locX, top->locY, top->z);
    return world::Map().LineOfSight(from, to, 64) != 0;
}

void CObjectManager::GetObject(CDynamicObj* object, int amount) {
    if (!object || object == pPlayerObject) return;
    // One item at a time: a second pick-up before the server answered the
    // first would overwrite the record of the item in the hand.
    if (holdingItem) {
        TWReport::notice("CObjectManager::GetObject: an item is already held.\n");
        return;
    }
    if (!DebugMode() && !CanReachObject(object)) return;
    if (amount == 0 && (object->GetTileFlags() & TILE_STACKABLE) && object->amount >= 2) {
        if (!world::Gumps().OpenAmountGump(object)) {
            TWReport::error(
                "CObjectManager::GetObject: Prevented client crash by testing for return value "
                "from "
                "'(CStackGump*)CGumpManager::OpenGump(pObj, 49, NULL, FALSE);'. It is NULL! "
                "Returning from function.\n");
        }
        return;
    }
    HeldObject h;
    h.x = object->locX;
    h.y = object->locY;
    h.z = object->z;
    h.graphic = object->objectType;
    h.increment = object->increment;
    h.serial = object->GetSerial();
    h.hue = NormalizeHue(object->hue);
    h.amount = static_cast<M_WORD>(amount ? amount : object->amount);
    h.flags = object->statusFlags;
    h.tileFlags = object->GetTileFlags();
    if (CContainerObj* holder = object->containedBy) {
        int layer = 0;
        if (holder->IsMobile()) {
            auto* mobile = static_cast<CMobile*>(holder);
            for (int i = 1; i < CMobile::LAYERS && !layer; ++i)
                if (mobile->equippedItem[i] == object) layer = i;
        }
        if (layer) {
            h.mobileSerial = holder->GetSerial();
            h.layer = layer;
        } else {
            h.containerSerial = holder->GetSerial();
        }
    }
    held = h;
    // The client forgets the object while it is in the hand.
    object->Release();
    holdingItem = TRUE;
    SendPickupRequest(h.serial, h.amount);
    dragGump = world::Gumps().MakeDragGump();
}

void CObjectManager::UseObject(CDynamicObj* object) {
    if (!object || !object->IsDynamic()) return;
    lastUsedSerial = object->GetSerial();
    lastUsedType = object->objectType;
    if (object->IsItemObj()) {
        auto* item = static_cast<CItemObj*>(object);
        if (item->pinGump)
            world::Gumps().BringToFront(item->pinGump);
        else
            SendUseRequest(object->GetSerial());
        return;
    }
    for (const TargetScroll& scroll : kTargetScrolls) {
        if (object->objectType != scroll.graphic) continue;
        tw::Service<TargetRequests>::Get().BeginTarget("scroll", scroll.kind,
                                                       static_cast<int>(object->GetSerial()));
        return;
    }
    SendUseRequest(object->GetSerial());
}

void CObjectManager::SetPlayerLight(CDynamicObj* object, int level) {
    if (!object || object != pPlayerObject || object->personalLight == level) return;
    if (!object->inVoid && !object->containedBy) {
        world::Light().AddPersonalLight(level - object->personalLight);
        world::Gumps().RenderRadar();
        world::Screen().InvalidateScreen();
    }
    object->personalLight = level;
}
