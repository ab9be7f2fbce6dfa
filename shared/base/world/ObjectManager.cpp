// CObjectManager: start-up, the lists, look-ups and leaving the game.
#include "world/ObjectManager.h"

#include "world/GumpHooks.h"
#include "world/Mobile.h"
#include "world/MultiManager.h"
#include "world/Obj.h"
#include "world/ViewHooks.h"
#include "world/WorldInternal.h"

CPlayer* pPlayerObject = nullptr;

CDynamicObj* CObjectManager::masterDynamicObjectList = nullptr;
CDynamicObj* CObjectManager::masterDynamicObjectTail = nullptr;
CMobile* CObjectManager::masterMobileList = nullptr;
CObj* CObjectManager::worldList = nullptr;
CObj* CObjectManager::worldTail = nullptr;
CObj* CObjectManager::lightList = nullptr;
CObj* CObjectManager::lightTail = nullptr;
CObj* CObjectManager::roofList = nullptr;
CObj* CObjectManager::roofTail = nullptr;
CObj* CObjectManager::animatedItemList = nullptr;
CObj* CObjectManager::multiCompList = nullptr;
CObj* CObjectManager::multiCompTail = nullptr;
CMultiTargetObj* CObjectManager::multiPreviewList = nullptr;
int CObjectManager::mobileCount = 0;
HeldObject CObjectManager::held;
BOOL CObjectManager::holdingItem = FALSE;
CGump* CObjectManager::dragGump = nullptr;
std::vector<LinkedPair> CObjectManager::linkedPairs;
std::vector<SavedOverheadText> CObjectManager::recentTexts;
M_DWORD CObjectManager::lastUsedSerial = 0;
int CObjectManager::lastUsedType = 0;

namespace {

void EmptyLists() {
    CObjectManager::worldList = CObjectManager::worldTail = nullptr;
    CObjectManager::lightList = CObjectManager::lightTail = nullptr;
    CObjectManager::roofList = CObjectManager::roofTail = nullptr;
    CObjectManager::animatedItemList = nullptr;
    CObjectManager::multiCompList = CObjectManager::multiCompTail = nullptr;
    CObjectManager::masterMobileList = nullptr;
    CObjectManager::multiPreviewList = nullptr;
}

// Releases the head of a list until it is empty; a head that does not leave
// ends the loop (it would hold it for ever).
template <typename Head>
void ReleaseAll(Head& head, const char* what) {
    while (CObj* object = head) {
        object->Release();
        if (head == object) {
            TWReport::error("CObjectManager::ReleaseAllObjects: an object of the %s stayed.\n",
                            what);
            break;
        }
    }
}

}  // namespace

void CObjectManager::startup() {
    TWReport::print("CObjectManager::startup: begin.\n");
    EmptyLists();
    dragGump = nullptr;
    delete[] itemTiles;
    delete[] terrainTiles;
    itemTiles = new ItemTileData[TILE_COUNT]();
    terrainTiles = new TerrainTileData[TILE_COUNT]();
    itemTileCount = TILE_COUNT;
    terrainTileCount = TILE_COUNT;
    LoadTileData();
    holdingItem = FALSE;
    world::Draw().ClearMobileAnimations();
    mobileCount = 0;
}

void CObjectManager::shutdown() {
    TWReport::print("CObjectManager::shutdown: begin.\n");
    delete[] itemTiles;
    delete[] terrainTiles;
    itemTiles = nullptr;
    terrainTiles = nullptr;
    itemTileCount = 0;
    terrainTileCount = 0;
}

CDynamicObj* CObjectManager::FindObject(M_DWORD serial) {
    if (pPlayerObject && pPlayerObject->GetSerial() == serial) return pPlayerObject;
    return world_index::Find(serial);
}

CObj* CObjectManager::FindObjectAt(Coords cell, int z) {
    for (CObj* o = worldList; o; o = o->worldNext)
        if (o->locX == cell.x && o->locY == cell.y && o->z <= z && z < o->z + o->GetHeight())
            return o;
    return nullptr;
}

CObj* CObjectManager::GetObjectAtCell(int x, int y, int mode) {
    if (mode == 0) {
        for (CObj* o = worldList; o; o = o->worldNext)
            if (o->locX == x && o->locY == y) return o;
        return nullptr;
    }
    // Held objects keep positions inside their holder, not cells.
    for (CDynamicObj* o = masterDynamicObjectTail; o; o = o->masterPrev)
        if (!o->inVoid && !o->containedBy && o->locX == x && o->locY == y && o->IsMovable())
            return o;
    return nullptr;
}

CObj* CObjectManager::GetObjAtScreenLoc(int x, int y) {
    CDrawItem* item = world::Draw().GetItemAtScreenPoint(x, y, TRUE);
    if (!item) return nullptr;
    if (!WorldPointerOk(item)) {
        TWReport::error(
            "CObjectManager::GetObjAtScreenLoc: either pointer 'pItem' is not valid, or the data "
            "it points to is not valid. setting 'pItem = 0'.\n");
        return nullptr;
    }
    return item->IsObj() ? static_cast<CObj*>(item) : nullptr;
}

void CObjectManager::AddMultiComp(CObj* object) {
    if (!WorldPointerOk(object)) {
        TWReport::error(
            "AddMultiComp: either pointer 'pObj' is not valid, or the data it points to is not "
            "valid. the program may crash!\n");
        return;
    }
    if (object->multiPrev || multiCompList == object) return;
    IntrusiveList<CObj, &CObj::multiNext, &CObj::multiPrev>::PushFront(multiCompList, multiCompTail,
                                                                       object);
}

void CObjectManager::ReleaseAllObjects() {
    if (CPlayer* player = pPlayerObject) {
        if (!player->inVoid) player->ToVoid();
        for (int layer = 0; layer < CCorpse::LAYERS; ++layer)
            if (CObj* worn = player->equippedItem[layer]) {
                worn->Release();
                player->equippedItem[layer] = nullptr;
            }
    }
    // A multi's parts go with the world list (or below), not with it.
    for (CDynamicObj* o = masterDynamicObjectList; o; o = o->masterNext)
        if (o->multi) o->multi->sharedOwner = o;
    ReleaseAll(worldList, "world list");
    // Parts out of range stand in the void and are in no world list.
    ReleaseAll(multiCompList, "multi-component list");
    // Objects the server never placed (a refused layer or container) would
    // otherwise outlive the world they came with.
    for (CDynamicObj* o = masterDynamicObjectList; o;) {
        if (o == pPlayerObject || IsHeldBy(o, pPlayerObject) || o->containedBy) {
            o = o->masterNext;
            continue;
        }
        o->Release();
        o = masterDynamicObjectList;
    }
}

void CObjectManager::reset() {
    // Every dynamic object, the player included; contents and equipment go
    // with their holders.
    while (CDynamicObj* o = masterDynamicObjectList) {
        o->Release();
        if (masterDynamicObjectList == o) break;
    }
    ReleaseAll(worldList, "world list");
    ReleaseAll(multiCompList, "multi-component list");
    while (CMultiTargetObj* part = multiPreviewList) {
        delete part;
        if (multiPreviewList == part) break;
    }
    ResetPools();
    world_index::Clear();
    EmptyLists();
    masterDynamicObjectList = masterDynamicObjectTail = nullptr;
    pPlayerObject = nullptr;
    delete[] itemTiles;
    delete[] terrainTiles;
    itemTiles = nullptr;
    terrainTiles = nullptr;
    itemTileCount = terrainTileCount = 0;
    mobileCount = 0;
    held = HeldObject();
    holdingItem = FALSE;
    // The drag gump belongs to the gump framework, which may be gone when a
    // test resets the world without it.
    if (dragGump) world::Gumps().DeleteGump(dragGump);
    dragGump = nullptr;
    linkedPairs.clear();
    recentTexts.clear();
    lastUsedSerial = 0;
    lastUsedType = 0;
    CMultiTargetObj::placementZ = 0;
}

BOOL IsContainedIn(CObj* container, CObj* object) {
    if (!container) return FALSE;
    if (container == object) return TRUE;
    if (!container->IsContainer()) return FALSE;
    for (CObj* child = static_cast<CContainerObj*>(container)->firstChild; child;
         child = child->worldNext)
        if (IsContainedIn(child, object)) return TRUE;
    return FALSE;
}

BOOL IsHeldBy(CObj* object, CObj* holder) {
    if (!object || !holder || !object->IsDynamic()) return FALSE;
    for (CContainerObj* c = static_cast<CDynamicObj*>(object)->containedBy; c; c = c->containedBy)
        if (c == holder) return TRUE;
    return FALSE;
}

BOOL IsAmountArtGraphic(int graphic) {
    return graphic == 654 || graphic == 3821;
}

BOOL IsGraphicInSetB(int g) {
    return (g >= FIRST_SPELL_SCROLL && g <= LAST_SPELL_SCROLL) || (g >= 7981 && g <= 8044);
}

BOOL IsGraphicInSetC(int g) {
    static const int ranges[][2] = {{3616, 3616}, {3618, 3619}, {4379, 4385}, {4622, 4630},
                                    {4650, 4656}, {4677, 4685}, {4702, 4705}, {4719, 4722},
                                    {4728, 4731}, {7367, 7388}, {7409, 7442}, {7570, 7582}};
    for (const auto& r : ranges)
        if (g >= r[0] && g <= r[1]) return TRUE;
    return FALSE;
}

BOOL IsGraphicInSetD(int g) {
    return (g >= 6941 && g <= 6942) || (g >= 7389 && g <= 7408) || (g >= 7583 && g <= 7588) ||
           (g >= 7597 && g <= 7602);
}

BOOL IsObjectInSetC(CObj* object) {
    return object && IsGraphicInSetC(object->TileIndex());
}

BOOL IsObjectInSetD(CObj* object) {
    return object && IsGraphicInSetD(object->TileIndex());
}

BOOL IsBody80Or81(int body) {
    return body == 80 || body == 81;
}

BOOL IsLightGraphic(int g) {
    return (g >= 15874 && g <= 15883) || (g >= 14612 && g <= 14633);
}
