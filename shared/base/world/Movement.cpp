// The per-frame movement: multi parts come and go with the player's range,
// objects beyond 18 cells are released, mobiles slide through their queued
// steps, rest, play idle animations, and the player faces its fight target.
#include <cstdlib>

#include "Clock.h"
#include "ErrorMessage.h"
#include "Random.h"
#include "resources/AnimData.h"
#include "world/Directions.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/WorldInternal.h"

namespace {

constexpr int kRange = 18;
constexpr M_DWORD kRestAfterMs = 2000;
constexpr M_DWORD kIdleAfterMs = 15000;

// The first object from start that the holder does not hold: what a walk
// may go on with once the holder is released (its contents go with it).
CDynamicObj* FirstNotHeldBy(CDynamicObj* start, CObj* holder) {
    CDynamicObj* o = start;
    while (o && IsHeldBy(o, holder)) o = o->masterNext;
    return o;
}

// Bodies that keep moving while they rest: some creatures always, and
// humans with a light source in the hand (layer 2).
bool AnimatesWhileResting(CMobile* mobile) {
    const int body = mobile->objectType;
    if (body == 13 || body == 15 || body == 16 || body == 574) return true;
    if (body < 400) return false;
    CObj* held = mobile->equippedItem[2];
    return held && (CObjectManager::ItemTile(held->TileIndex()).flags & TILE_LIGHT);
}

void MoveMobile(CMobile* m) {
    const M_DWORD now = g_frameTime;
    BOOL left = FALSE;
    BOOL frameUsed = FALSE;
    auto leave = [&] {
        if (m->inList) {
            m->RemoveFromDrawList();
            left = TRUE;
        }
    };

    if (m->stepFramesLeft > 0 || m->queueCount > 0) {
        m->lastActivity = now;
        if (m->inList) m->InvalidateEquipmentLights();
        leave();
        // A non-zero answer: the animation's end deleted the mobile.
        if (m->animActive && m->UpdateAnimation()) return;
        ++m->frameCounter;
    } else if (!m->resting) {
        if (now - m->lastActivity > kRestAfterMs || IsBody80Or81(m->objectType)) {
            leave();
            m->resting = TRUE;
            m->frameCounter = 3;
        }
    } else {
        if (!m->bit6State && !m->animActive) m->MaybeIdleAnimation();
        if (AnimatesWhileResting(m)) {
            leave();
            ++m->frameCounter;
        }
    }

    bool takeNext = true;
    if (m->stepFramesLeft > 0) {
        --m->stepFramesLeft;
        frameUsed = TRUE;
        takeNext = m->stepFramesLeft == 0;
    }
    if (takeNext && m->queueCount > 0) {
        const MobileStep step = m->steps[0];
        m->direction = static_cast<M_BYTE>(step.direction & 127);
        m->running = (step.direction & 0x80) ? TRUE : FALSE;
        const int drop = m->z - step.z;
        m->dropFlag = drop > 21 ? 1 : 0;
        if (m->dropFlag) m->dropHeight = drop;
        m->objectType = static_cast<M_WORD>(step.graphic & 0x3FFF);
        m->prevX = m->locX;
        m->prevY = m->locY;
        m->prevZ = m->z;
        m->locX = step.x;
        m->locY = step.y;
        m->z = step.z;
        m->ApplyStatusFlags(step.flags);
        const int dx = m->locX - m->prevX;
        const int dy = m->locY - m->prevY;
        if (std::abs(dx) <= 1 && std::abs(dy) <= 1 && (dx || dy))
            m->stepFramesLeft = m->MovesPerTile() - 1;
        for (int i = 1; i < m->queueCount; ++i) m->steps[i - 1] = m->steps[i];
        --m->queueCount;
    }
    m->UpdateSlideOffset();

    if (left) {
        m->CalcDrawZ();
        m->AddToDrawList();
        if (frameUsed) m->InvalidateEquipmentLights();
    }
    if (frameUsed && m->textGumps) {
        for (ObjectText* t = m->textGumps; t; t = t->nextText) t->FollowOwner();
        world::Texts().ArrangeStack(m->textGumps);
    }
}

void MovePlayer(CPlayer* player) {
    if (player->inVoid || !player->resting) return;
    if (AnimatesWhileResting(player)) {
        if (player->inList) player->RemoveFromDrawList();
        player->AddToDrawList();
        ++MoveManager::stepCounter;
    }
    if (player->bit6State)
        player->FaceFightTarget();
    else if (!player->animActive)
        player->MaybeIdleAnimation();
}

}  // namespace

void CMobile::UpdateSlideOffset() {
    slideX = slideY = 0;
    if (stepFramesLeft <= 0) return;
    const int r = stepFramesLeft;
    int m = MovesPerTile();
    if (m == 0) {
        static bool told = false;
        if (!told) {
            told = true;
            ErrorMessage("MovesPerTile()==0", "UpdateMovement:", FALSE);
        }
        m = 1;
    }
    const int half = 22 * r / m;
    const int whole = 44 * r / m;
    static const int sx[8] = {1, 2, 1, 0, -1, -2, -1, 0};
    static const int sy[8] = {-1, 0, 1, 2, 1, 0, -1, -2};
    const int d = direction & 7;
    slideX = sx[d] == 2 ? whole : sx[d] == -2 ? -whole : sx[d] * half;
    slideY = sy[d] == 2 ? whole : sy[d] == -2 ? -whole : sy[d] * half;
}

void CMobile::MaybeIdleAnimation() {
    const M_DWORD now = g_frameTime;
    if (equippedItem[MOUNT_LAYER] || CObjectManager::mobileCount >= 21 ||
        now - lastActivity <= kIdleAfterMs)
        return;
    const int r = RandomNumber(4 * CObjectManager::mobileCount + 120);
    if (r >= 2) return;
    const int body = objectType;
    int action = 0;
    int frames = 5;
    int delay = 0;
    if (body == 21) {
        action = r == 1 ? 17 : 18;
        delay = 1;
    } else if (body == 5) {
        action = 17;
    } else if (body < 150) {
        action = r == 1 ? 17 : 18;
    } else if (body < 200) {
        action = r == 1 ? 3 : 4;
        frames = r == 1 ? 15 : 20;
    } else if (body < 400) {
        action = r == 1 ? 9 : 10;
        frames = r == 1 ? 5 : 3;
    } else {
        action = r == 1 ? 5 : 6;
        delay = r == 1 ? 1 : 0;
    }
    lastActivity = now;
    SetAnimation(action, frames, 0, 1, 0, delay);
}

int DirectionTowards(int fromX, int fromY, int toX, int toY) {
    const int sx = (toX > fromX) - (toX < fromX);
    const int sy = (toY > fromY) - (toY < fromY);
    for (int d = 0; d < 8; ++d)
        if (DIR_DX[d] == sx && DIR_DY[d] == sy) return d;
    return 7;
}

void CPlayer::FaceFightTarget() {
    if (MoveManager::requestsInFlight != 0 || g_wallTime - MoveManager::lastRequestTime <= 3)
        return;
    CDynamicObj* target = CObjectManager::FindObject(fightTargetSerial);
    if (!target || !target->IsMobile()) return;
    const int d = DirectionTowards(locX, locY, target->locX, target->locY);
    if (d != direction) MoveManager::RequestMove(d + 1, 0, TRUE);
}

void CObjectManager::UpdateMovement() {
    for (CObj* part = multiCompList; part;) {
        if (!WorldPointerOk(part)) {
            TWReport::error(
                "CObjectManager::UpdateMovement: either pointer 'pMyObj' is not valid, or the data "
                "it points to is not valid. breaking out of loop.\n");
            break;
        }
        CObj* next = part->multiNext;
        const BOOL near = IsInRange(part, kRange);
        if (near && part->inVoid)
            part->ToWorld(Coords(part->locX, part->locY, part->z));
        else if (!near && !part->inVoid)
            part->ToVoid();
        part = next;
    }

    CPlayer* player = pPlayerObject;
    for (CDynamicObj* o = masterDynamicObjectList; o;) {
        if (!WorldPointerOk(o)) {
            // The object is not ours any more; releasing it would touch freed
            // memory.
            TWReport::error(
                "CObjectManager::UpdateMovement: either pointer 'pObj' is not valid, or the data "
                "it points to is not valid. breaking out of loop.\n");
            break;
        }
        // Objects the server never placed (a refused layer or container)
        // wait in the void for a message that places them.
        if (o != player && o->inVoid) {
            o = o->masterNext;
            continue;
        }
        if (o != player && !o->containedBy && !IsInRange(o, kRange)) {
            CDynamicObj* next = FirstNotHeldBy(o->masterNext, o);
            o->Release();
            o = next;
            continue;
        }
        if (!o->IsMobile()) {
            o = o->masterNext;
            continue;
        }
        if (o == player) {
            MovePlayer(player);
            o = o->masterNext;
            continue;
        }
        // The mobile may be deleted by the end of its animation.
        CDynamicObj* next = FirstNotHeldBy(o->masterNext, o);
        MoveMobile(static_cast<CMobile*>(o));
        o = next;
    }
    animCrap::Update();
}
