// The object manager's side of the server messages that place objects: in
// the world (HandleMove) and in containers (HandleAddToContainer), with the
// hue word of the protocol.
#include <cstdlib>

#include "Clock.h"
#include "world/GumpHooks.h"
#include "world/Mobile.h"
#include "world/MultiManager.h"
#include "world/ObjectManager.h"
#include "world/PathManager.h"
#include "world/ViewHooks.h"
#include "world/WorldInternal.h"

namespace {

constexpr M_DWORD kItemBit = 0x40000000;

// The world's seams: near them the server's positions are taken on the
// player's side (only on the surface, below x 5120).
int Wrap(int value, int player, int size) {
    if (player <= 17 && value >= size - 17) return value - size;
    if (player >= size - 18 && value <= 18) return value + size;
    return value;
}

// A new object of the class its serial and tile choose.
CDynamicObj* MakeObject(M_DWORD serial, int graphic, int increment) {
    if (!(serial & kItemBit)) return new CMobile(serial, graphic, increment);
    const int tile = (graphic & 0x3FFF) + increment;
    if (graphic == CORPSE_OBJ) return new CCorpse(serial, CORPSE_OBJ);
    if (CObjectManager::IsItemObjTile(tile)) return new CItemObj(serial, graphic, increment, TRUE);
    if (CObjectManager::IsContainerTile(tile))
        return new CContainerObj(serial, graphic, increment, TRUE);
    return NewDynamicObj(serial, graphic, increment);
}

void FollowIfFar(CMobile* mobile) {
    CPlayer* player = pPlayerObject;
    if (!player || !player->following || mobile->GetSerial() != player->followedSerial) return;
    if (CObjectManager::IsInRange(mobile, 3)) return;
    int x = 0;
    int y = 0;
    int z = 0;
    mobile->GetTargetCell(&x, &y, &z);
    PathManager::FreeNodes();
    // The followed mobile blocks its own cell: a cell next to it will do.
    PathNode* goal = PathManager::FindPath(player->locX, player->locY, player->z, x, y, z, 100, 1);
    if (goal) {
        world::Screen().RelinkPathBackPointers();
        g_pathWalk.node = goal;
        g_pathWalk.facing = player->direction;
        g_pathWalk.active = TRUE;
    } else {
        world::Gumps().AddSystemMessage(0, 3, "Can't get there (follow)");
        player->following = FALSE;
    }
}

}  // namespace

M_WORD NormalizeHue(M_WORD hue) {
    const M_WORD number = hue & 0x3FFF;
    if (number == 0) return hue & 0x8000;
    if (number > 2999) return static_cast<M_WORD>((hue & 0xC000) | 1);
    return hue;
}

void CObjectManager::HandleMove(M_DWORD serial, int graphic, int increment, int amount, int x,
                                int y, int z, int direction, int hue, int statusFlags) {
    if (CPlayer* player = pPlayerObject; player && player->locX < 5120) {
        x = Wrap(x, player->locX, 5120);
        y = Wrap(y, player->locY, 4096);
    }
    int multiNumber = -1;
    if (graphic >= 16384) {
        multiNumber = graphic - 16384;
        graphic = 1;
    }

    CDynamicObj* obj = FindObject(serial);
    const BOOL isNew = obj == nullptr;
    if (obj && !obj->IsMobile()) {
        // A multi sent as a plain object from now on gives up its parts
        // before it is placed again.
        if (obj->multi && multiNumber < 0) {
            MultiManager::FreeComponentList(obj->multi);
            delete obj->multi;
            obj->multi = nullptr;
        }
        if (!obj->multi && !obj->inVoid) obj->ToVoid();
    }

    if (isNew) {
        obj = MakeObject(serial, graphic, increment);
        if (obj->IsMobile()) {
            auto* mobile = static_cast<CMobile*>(obj);
            mobile->slideX = mobile->slideY = 0;
            mobile->direction = static_cast<M_BYTE>(direction & 127);
            mobile->running = (direction & 0x80) ? TRUE : FALSE;
            mobile->hue = NormalizeHue(static_cast<M_WORD>(hue));
            mobile->creationZ = static_cast<short>(z);
            mobile->ToWorld(
                Coords(static_cast<short>(x), static_cast<short>(y), static_cast<short>(z)));
            mobile->ApplyStatusFlags(statusFlags);
            return;
        }
    }
    if (!WorldPointerOk(obj)) {
        TWReport::error(
            "CObjectManager::HandleMove: either pointer 'pObj' is not valid, or the data it points "
            "to is not valid. the program may crash!\n");
        return;
    }

    if (obj->IsMobile()) {
        auto* mobile = static_cast<CMobile*>(obj);
        mobile->lastActivity = g_frameTime;
        const MobileStep step = {static_cast<short>(x),          static_cast<short>(y),
                                 static_cast<short>(z),          static_cast<M_WORD>(graphic),
                                 static_cast<M_BYTE>(direction), static_cast<M_BYTE>(statusFlags)};
        if (mobile->queueCount < CMobile::MAX_STEPS) {
            if (mobile->resting) {
                mobile->resting = FALSE;
                if (mobile->inList) {
                    mobile->RemoveFromDrawList();
                    mobile->AddToDrawList();
                }
            }
            mobile->QueueStep(step);
        } else {
            // Too far behind: the mobile jumps to the newest position.
            const BOOL listed = mobile->inList;
            if (listed) mobile->RemoveFromDrawList();
            mobile->stepFramesLeft = 1;
            mobile->locX = step.x;
            mobile->locY = step.y;
            mobile->z = step.z;
            mobile->objectType = static_cast<M_WORD>(graphic & 0x3FFF);
            mobile->direction = static_cast<M_BYTE>(direction & 127);
            mobile->hue = NormalizeHue(static_cast<M_WORD>(hue));
            mobile->queueCount = 0;
            mobile->ApplyStatusFlags(statusFlags);
            if (listed) mobile->AddToDrawList();
        }
        FollowIfFar(mobile);
        return;
    }

    obj->increment = static_cast<M_BYTE>(increment);
    obj->direction = static_cast<M_BYTE>(direction);
    obj->amount = static_cast<M_WORD>(amount);
    obj->statusFlags = static_cast<M_BYTE>(statusFlags);
    obj->hue = NormalizeHue(static_cast<M_WORD>(hue));
    if (multiNumber < 0) {
        obj->objectType = static_cast<M_WORD>(graphic & 0x3FFF);
        obj->ToWorld(Coords(static_cast<short>(x), static_cast<short>(y), static_cast<short>(z)));
    } else {
        SetObjectMulti(obj, x, y, z, multiNumber);
    }
    if (isNew) RestoreOverheadText(obj);
}

void CObjectManager::HandleAddToContainer(M_DWORD serial, int graphic, int increment, int amount,
                                          int x, int y, M_DWORD containerSerial, int hue) {
    CDynamicObj* container = (pPlayerObject && containerSerial == pPlayerObject->GetSerial())
                                 ? pPlayerObject
                                 : FindObject(containerSerial);
    if (!container || !container->IsContainer()) return;

    if (CDynamicObj* old = FindObject(serial)) {
        // Releasing the container itself, or what holds it, would leave it
        // freed under the new object; the player is never released.
        if (old == pPlayerObject || old == container || IsHeldBy(container, old)) {
            TWReport::warning(
                "CObjectManager::HandleAddToContainer: 0x%08X cannot go into 0x%08X; ignored.\n",
                serial, containerSerial);
            return;
        }
        old->Release();
    }
    CDynamicObj* obj = MakeObject(serial, graphic, increment);
    obj->hue = NormalizeHue(static_cast<M_WORD>(hue));
    obj->amount = static_cast<M_WORD>(amount);
    obj->ToContainer(static_cast<CContainerObj*>(container),
                     Coords(static_cast<short>(x), static_cast<short>(y), 0));
}
