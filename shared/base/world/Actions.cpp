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

// The one graphic besides the spell scrolls that asks for a target when
// used.
constexpr int kTargetingGraphic = 899;

// Graphics that show the target cursor when used, by the kind of target
// they ask for (kind 0 completes at once, without a cursor); any other
// object sends the use request.
struct TargetScroll {
    int graphic;
    int kind;
};
constexpr TargetScroll kTargetScrolls[] = {
    {FIRST_SPELL_SCROLL, 1},     {FIRST_SPELL_SCROLL + 1, 1}, {FIRST_SPELL_SCROLL + 2, 0},
    {FIRST_SPELL_SCROLL + 3, 0}, {LAST_SPELL_SCROLL, 0},      {FIRST_SPELL_SCROLL + 4, 2},
    {FIRST_SPELL_SCROLL + 5, 2}, {kTargetingGraphic, 2},
};
static_assert(FIRST_SPELL_SCROLL + 6 == LAST_SPELL_SCROLL);

}  // namespace

BOOL CObjectManager::IsInRange(CObj* object, int range) {
    if (!object) return FALSE;
    CPlayer* player = pPlayerObject;
    // Without a player nothing is out of range.
    if (!player || object == player) return TRUE;
    int x = 0, y = 0, widening = 0;
    object->GetRangeCell(&x, &y, &widening);
    range += widening;
    return std::abs(x - player->locX) <= range && std::abs(y - player->locY) <= range;
}

void CDynamicObj::GetRangeCell(int* x, int* y, int* widening) {
    CDynamicObj* top = TopLevel();
    *x = top->locX;
    *y = top->locY;
    *widening = top->multi ? top->multi->extent : 0;
}

void CMobile::GetRangeCell(int* x, int* y, int* widening) {
    GetTargetCell(x, y, nullptr);
    *widening = 0;
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
        if (CMobile* wearer = holder->AsWearer()) {
            for (int i = 1; i < CMobile::LAYERS && !layer; ++i)
                if (wearer->equippedItem[i] == object) layer = i;
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
        if (CGump* open = object->GetUseGump())
            world::Gumps().BringToFront(open);
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
