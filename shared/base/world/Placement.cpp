// Moving objects between the void, the world, containers and equipment, and
// what each move changes in the object manager's lists and the open gumps.
// Every move passes through the void; each placing operation requires it.
#include "resources/GumpArt.h"
#include "world/GumpHooks.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/ViewHooks.h"
#include "world/WorldInternal.h"
#include "world/WorldRequests.h"

namespace {

using WorldList = IntrusiveList<CObj, &CObj::worldNext, &CObj::worldPrev>;
using LightList = IntrusiveList<CObj, &CObj::lightNext, &CObj::lightPrev>;
using RoofList = IntrusiveList<CObj, &CObj::roofNext, &CObj::roofPrev>;
using AnimatedList = IntrusiveList<CObj, &CObj::nextAnimated, &CObj::prevAnimated>;

BOOL GivesLight(CObj* object) {
    return (object->GetTileFlags() & TILE_LIGHT) || IsLightGraphic(object->objectType);
}

void JoinLightList(CObj* object) {
    if (object->inLightList || !GivesLight(object)) return;
    LightList::PushFront(CObjectManager::lightList, CObjectManager::lightTail, object);
    object->inLightList = 1;
    world::Light().InvalidateObjectLight(object);
}

// The vendor whose shop gumps show a container's objects: the mobile that
// holds the container, or null.
CMobile* VendorOf(CContainerObj* container) {
    CContainerObj* holder = container->containedBy;
    return holder ? holder->AsWearer() : nullptr;
}

// Links object into the contents before the first child that meets test
// (after all children when none does).
template <typename Test>
void InsertContents(CContainerObj* container, CObj* object, Test test) {
    CObj* before = nullptr;
    CObj* child = container->firstChild;
    while (child && !test(child)) {
        before = child;
        child = child->worldNext;
    }
    object->worldPrev = before;
    object->worldNext = child;
    if (child) child->worldPrev = object;
    if (before)
        before->worldNext = object;
    else
        container->firstChild = object;
}

void TellContainerGump(CContainerObj* container, CObj* object) {
    if (CGump* g = container->containerGump) world::Gumps().AddToGump(g, object);
}

// The checks every contents move makes before it links: a dynamic object in
// the void, and no container placed into itself (a cycle would hang every
// walk up the holders and release the container with its contents).
bool MayEnter(CObj* object, CContainerObj* container, const char* signature) {
    WORLD_ASSERT(object->inVoid, signature);
    if (!container || !object->IsDynamic()) {
        TWReport::warning("CObj::ToContainer: no container, or a map static; not placed.\n");
        return false;
    }
    if (container == object || IsHeldBy(container, object)) {
        TWReport::warning(
            "CObj::ToContainer: an object cannot go into itself or into what it holds; not "
            "placed.\n");
        return false;
    }
    // A held player would be released with its holder.
    if (object == pPlayerObject) {
        TWReport::warning("CObj::ToContainer: the player stays out of containers.\n");
        return false;
    }
    return true;
}

void EnterContents(CObj* object, CContainerObj* container, Coords where) {
    auto* dynamic = static_cast<CDynamicObj*>(object);
    dynamic->containedBy = container;
    object->locX = where.x;
    object->locY = where.y;
    object->z = where.z;
    object->inVoid = 0;
}

}  // namespace

void CObj::ToWorld(Coords where) {
    WORLD_ASSERT(inVoid, "void CObj::ToWorld(class Coords)");
    WorldList::PushFront(CObjectManager::worldList, CObjectManager::worldTail, this);
    locX = where.x;
    locY = where.y;
    z = where.z;
    inVoid = 0;
    AddToDrawList();
    if (CObjectManager::ItemTile(objectType).flags & TILE_ANIMATED)
        AnimatedList::PushFront(CObjectManager::animatedItemList, this);
    if (GetTileFlags() & TILE_ROOF)
        RoofList::PushFront(CObjectManager::roofList, CObjectManager::roofTail, this);
    JoinLightList(this);
    if (CPlayer* player = pPlayerObject; this == player) {
        if (player->personalLight != 0) {
            world::Light().AddPersonalLight(player->personalLight);
            world::Gumps().RenderRadar();
            world::Screen().InvalidateScreen();
        }
    }
}

void CObj::ToContainer(CContainerObj* container, Coords where) {
    if (container && container->objectType == VENDOR_STOCK_CONTAINER)
        return ToContainerSortX(container, where);
    if (container && container->objectType == Y_SORTED_CONTAINER)
        return ToContainerSortY(container, where);
    if (container && container->SortsByAmount()) return ToContainerSortQty(container, where);
    if (!MayEnter(this, container, "void CObj::ToContainer(class CContainerObj *, class Coords)"))
        return;
    InsertContents(container, this, [](CObj*) { return true; });
    EnterContents(this, container, where);

    if (CGump* g = container->containerGump) {
        ObjectGumps& gumps = world::Gumps();
        if (!gumps.RebuildSortedView(g)) {
            gumps.AddToGump(g, this);
            if (gumps.IsBulletinBoard(g))
                SendBulletinBoardRequest(4, container->GetSerial(),
                                         static_cast<CDynamicObj*>(this)->GetSerial());
        }
    }
    // A corpse's look depends on what it holds.
    if (container->IsCorpse() && !container->inVoid && !container->containedBy) {
        if (container->inList) container->RemoveFromDrawList();
        container->AddToDrawList();
    }
}

void CObj::ToContainerSortX(CContainerObj* container, Coords where) {
    if (!MayEnter(this, container,
                  "void CObj::ToContainerSortX(class CContainerObj *, class Coords)"))
        return;
    InsertContents(container, this, [&](CObj* child) { return child->locX >= where.x; });
    EnterContents(this, container, where);
    TellContainerGump(container, this);
    if (CMobile* vendor = VendorOf(container))
        world::Gumps().RemoveFromShopGumps(vendor, static_cast<CDynamicObj*>(this)->GetSerial(),
                                           FALSE);
}

void CObj::ToContainerSortY(CContainerObj* container, Coords where) {
    if (!MayEnter(this, container,
                  "void CObj::ToContainerSortY(class CContainerObj *, class Coords)"))
        return;
    InsertContents(container, this, [&](CObj* child) { return child->locY <= where.y; });
    EnterContents(this, container, where);
    TellContainerGump(container, this);
}

void CObj::ToContainerSortQty(CContainerObj* container, Coords where) {
    if (!MayEnter(this, container,
                  "void CObj::ToContainerSortQty(class CContainerObj *, class Coords)"))
        return;
    const M_WORD newAmount = amount;
    InsertContents(container, this, [&](CObj* child) { return child->amount >= newAmount; });
    EnterContents(this, container, where);
    TellContainerGump(container, this);
    if (CGump* g = container->containerGump) world::Gumps().RebuildSortedView(g);
}

void CObj::ToEquipped(CMobile* mobile, int layer) {
    WORLD_ASSERT(inVoid, "void CObj::ToEquipped(class CMobile *, int)");
    // Layers come from the server.
    if (!mobile || layer < 0 || layer >= CMobile::LAYERS || !IsDynamic()) {
        TWReport::warning("CObj::ToEquipped: layer %d is not a layer of a mobile; ignored.\n",
                          layer);
        return;
    }
    if (mobile == this || IsHeldBy(mobile, this)) {
        TWReport::warning("CObj::ToEquipped: an object cannot be worn by what it holds.\n");
        return;
    }
    // A worn player would be released with its wearer.
    if (this == pPlayerObject) {
        TWReport::warning("CObj::ToEquipped: the player cannot be worn.\n");
        return;
    }
    // Two items sent for one layer: the earlier one leaves it, or it would
    // stay equipped in a slot that no longer names it.
    if (CObj* worn = mobile->equippedItem[layer]; worn && worn != this && !worn->inVoid) {
        TWReport::notice("CObj::ToEquipped: layer %d was taken; the earlier item leaves it.\n",
                         layer);
        worn->ToVoid();
    }
    auto* self = static_cast<CDynamicObj*>(this);
    self->eqPos = static_cast<M_BYTE>(layer);
    mobile->equippedItem[layer] = this;
    self->containedBy = mobile;
    worldNext = worldPrev = nullptr;
    inVoid = 0;
    if (layer != 0) {
        JoinLightList(this);
        world::Gumps().InvalidatePaperdolls(mobile);
    }
}

void CObj::LeaveSpecialLists() {
    if (prevAnimated || CObjectManager::animatedItemList == this)
        AnimatedList::Remove(CObjectManager::animatedItemList, this);
    if (inLightList) {
        LightList::Remove(CObjectManager::lightList, CObjectManager::lightTail, this);
        inLightList = 0;
        world::Light().InvalidateObjectLight(this);
    }
    if (roofPrev || CObjectManager::roofList == this)
        RoofList::Remove(CObjectManager::roofList, CObjectManager::roofTail, this);
}

void CObj::UnlinkPlace() {
    WorldList::Remove(CObjectManager::worldList, CObjectManager::worldTail, this);
}

void CObj::ToVoid() {
    WORLD_ASSERT(!inVoid, "void CObj::ToVoid()");
    if (inList) RemoveFromDrawList();
    LeaveSpecialLists();
    UnlinkPlace();
    inVoid = 1;
}

void CDynamicObj::ToVoid() {
    WORLD_ASSERT(!inVoid, "void CDynamicObj::ToVoid()");
    CContainerObj* holder = containedBy;
    const BOOL quiet = g_gumpTeardown;

    if (holder) {
        if (holder->IsMobile()) holder->Invalidate();
    } else if (inList) {
        RemoveFromDrawList();
    }
    LeaveSpecialLists();

    CMobile* vendor = nullptr;
    if (holder) {
        if (holder->IsCorpse()) holder->Invalidate();
        CMobile* wearer = holder->AsWearer();
        if (wearer && eqPos < CMobile::LAYERS && wearer->equippedItem[eqPos] == this) {
            wearer->equippedItem[eqPos] = nullptr;
            if (!quiet) world::Gumps().InvalidatePaperdolls(wearer);
        } else {
            if (holder->firstChild == this) holder->firstChild = worldNext;
            if (worldPrev) worldPrev->worldNext = worldNext;
            if (worldNext) worldNext->worldPrev = worldPrev;
        }
        containedBy = nullptr;
        if (holder->objectType == VENDOR_STOCK_CONTAINER && !quiet) vendor = VendorOf(holder);
    } else {
        if (this == pPlayerObject && personalLight != 0) {
            world::Light().AddPersonalLight(-personalLight);
            if (!quiet) world::Gumps().RenderRadar();
            world::Screen().InvalidateScreen();
        }
        UnlinkPlace();
    }
    worldNext = worldPrev = nullptr;
    inVoid = 1;

    if (quiet) return;
    if (holder) {
        RECT area = {locX, locY, locX, locY};
        if (objectType >= FIRST_GUMP_ART_OBJ && objectType <= LAST_GUMP_ART_OBJ) {
            int width = 0;
            int height = 0;
            GetGumpArtSize(objectType - GUMP_ART_OBJ_BASE, &width, &height);
            // A missing gump art leaves an empty rectangle.
            area.right = locX + width;
            area.bottom = locY + height;
        } else {
            SkipImage art = CObj::GetArt();
            area.right = locX + art.Width();
            area.bottom = locY + art.Height();
        }
        world::Gumps().AddContents(holder, area);
    }
    // The first of the vendor's shop gumps that takes removals drops it.
    if (vendor) world::Gumps().RemoveFromShopGumps(vendor, GetSerial(), TRUE);
    if (CGump* own = gump) {
        gump = nullptr;
        world::Gumps().CloseObjectGump(own);
    }
    world::Gumps().DeleteGump(gump2);
    gump2 = nullptr;
    world::Gumps().DeleteGump(gump3);
    gump3 = nullptr;
}
