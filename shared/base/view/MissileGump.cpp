// Missile gumps: set-up of every kind, the per-frame update, the arrival
// effect and the end of an effect.
#include <cmath>
#include <cstdlib>

#include "Random.h"
#include "gumps/Sequence.h"
#include "resources/AnimData.h"
#include "resources/GraphicManager.h"
#include "view/MapManager.h"
#include "view/Missile.h"
#include "view/RotatedBlit.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace {

constexpr int kArrivalAtObjectArt = 14027;
constexpr int kArrivalAtPositionArt = 14001;
constexpr int kFlickerFirstArt = 20000;
constexpr int kFlickerLastArt = 20009;
constexpr int kArrivalRange = 24;

Coords PositionOf(CObj* object) {
    return Coords(object->locX, object->locY, object->z);
}

const AnimDataEntry* AnimationRecord(int art) {
    if (art < 0 || art >= animCrap::NUM_ENTRIES) return nullptr;
    const AnimDataEntry& entry = animCrap::entries[art];
    return entry.frameCount ? &entry : nullptr;
}

// The record names its own frame count; its offsets table holds 64.
int FrameCount(const AnimDataEntry& entry) {
    return entry.frameCount > animCrap::MAX_FRAMES ? animCrap::MAX_FRAMES : entry.frameCount;
}

}  // namespace

void ScreenPointOf(Coords where, int* x, int* y) {
    *x = 22 * (where.x - where.y + MapManager::GetMapWidth()) - g_viewOffsetX;
    *y = 22 * (where.x + where.y) - 4 * where.z + 43 - g_viewOffsetY;
}

void ScreenPointOf(CObj* object, int* x, int* y) {
    const RECT& r = object->rect;
    *x = ((r.left + r.right) >> 1) - g_viewOffsetX;
    *y = ((r.top + r.bottom) >> 1) - g_viewOffsetY;
}

void CMissileGump::Init() {
    name = "missile gump";
}

void CMissileGump::SetUpArt(int art, bool fixedDirection) {
    if (const AnimDataEntry* entry = AnimationRecord(art)) {
        animated = TRUE;
        firstArt = art;
        lastArt = 0;
        currentArt = art + entry->frames[0];
        frameDelay = entry->start > 0 ? entry->start : 1;
        return;
    }
    animated = FALSE;
    firstArt = currentArt = art;
    const int frames = CObjectManager::ItemTile(art).fieldB;
    // A record with no frames would put the last art before the first.
    lastArt = fixedDirection || frames < 1 ? art : art + frames - 1;
}

void CMissileGump::AimAtPosition(Coords from, Coords to, int speed) {
    const double dx = targetX - currentX, dy = targetY - currentY;
    const int n = static_cast<int>(std::sqrt(dx * dx + dy * dy)) / (2 * speed + 10);
    framesLeft = n + 1;
    if (n > 0) {
        stepX = dx / n;
        stepY = dy / n;
        drawItem->stepX = double(to.x - from.x) / n;
        drawItem->stepY = double(to.y - from.y) / n;
        drawItem->stepZ = double(to.z - from.z) / n;
    }
    targetPos = to;
}

void CMissileGump::AimAtObject(Coords from, CObj* to, int speed) {
    const double dx = targetX - currentX, dy = targetY - currentY;
    const double distance = std::sqrt(dx * dx + dy * dy);
    const double length = 2 * speed + 6;
    framesLeft = 0;
    targetPos = PositionOf(to);
    targetSerial = to->IsDynamic() ? static_cast<CDynamicObj*>(to)->GetSerial() : 0;
    if (distance > 0) {
        stepX = dx / distance * length;
        stepY = dy / distance * length;
        const double scale = length / distance;
        drawItem->stepX = (targetPos.x - from.x) * scale;
        drawItem->stepY = (targetPos.y - from.y) * scale;
        drawItem->stepZ = (targetPos.z - from.z) * scale;
    }
}

void CMissileGump::AimFlight(double fromX, double fromY, Coords fromWorld, int speed,
                             int fixedDirection, int arrival) {
    currentX = fromX;
    currentY = fromY;
    x = static_cast<int>(fromX);
    y = static_cast<int>(fromY);
    const double dx = targetX - currentX, dy = targetY - currentY;
    rotates = fixedDirection ? FALSE : TRUE;
    direction =
        fixedDirection
            ? 0
            : static_cast<M_BYTE>(
                  (RadiansToDirection256(static_cast<float>(std::atan2(dy, dx))) + 128) & 255);
    delayCounter = 0;
    speedFactor = 2 * speed + 6;
    arrivalEffect = arrival ? TRUE : FALSE;
    fixed = backwards = bounce = flicker = FALSE;
    drawItem = new CMissileDrawItem(this, fromWorld);
}

CMissileGump::CMissileGump(int art, Coords source, Coords target, int speed, int fixedDirection,
                           int arrival, M_DWORD hue_, M_DWORD blend)
    : hue(hue_), blendMode(blend) {
    Init();
    SetUpArt(art, fixedDirection != 0);
    int sx, sy;
    ScreenPointOf(source, &sx, &sy);
    ScreenPointOf(target, &targetX, &targetY);
    AimFlight(sx, sy, source, speed, fixedDirection, arrival);
    AimAtPosition(source, target, speed);
    drawItem->AddToDrawList();
}

CMissileGump::CMissileGump(Coords source, CObj* target, int art, int speed, int fixedDirection,
                           int arrival, M_DWORD hue_, M_DWORD blend)
    : hue(hue_), blendMode(blend) {
    Init();
    SetUpArt(art, fixedDirection != 0);
    int sx, sy;
    ScreenPointOf(source, &sx, &sy);
    ScreenPointOf(target, &targetX, &targetY);
    AimFlight(sx, sy, source, speed, fixedDirection, arrival);
    AimAtObject(source, target, speed);
    drawItem->AddToDrawList();
}

CMissileGump::CMissileGump(CObj* source, Coords target, int art, int speed, int fixedDirection,
                           int arrival, M_DWORD hue_, M_DWORD blend)
    : hue(hue_), blendMode(blend) {
    Init();
    SetUpArt(art, fixedDirection != 0);
    int sx, sy;
    ScreenPointOf(source, &sx, &sy);
    ScreenPointOf(target, &targetX, &targetY);
    AimFlight(sx, sy, PositionOf(source), speed, fixedDirection, arrival);
    AimAtPosition(PositionOf(source), target, speed);
    drawItem->AddToDrawList();
}

CMissileGump::CMissileGump(CObj* source, CObj* target, int art, int speed, int fixedDirection,
                           int arrival, M_DWORD hue_, M_DWORD blend)
    : hue(hue_), blendMode(blend) {
    Init();
    SetUpArt(art, fixedDirection != 0);
    int sx, sy;
    ScreenPointOf(source, &sx, &sy);
    ScreenPointOf(target, &targetX, &targetY);
    AimFlight(sx, sy, PositionOf(source), speed, fixedDirection, arrival);
    AimAtObject(PositionOf(source), target, speed);
    drawItem->AddToDrawList();
}

void CMissileGump::SetUpFixed(int art, int speed, int duration, int reverse, int bounce_) {
    SetUpArt(art, false);
    direction = 0;
    // A u8 duration of 0 has always lasted 256 frames.
    framesLeft = (duration & 255) == 0 ? 256 : (duration & 255);
    // Speeds of 11 and more would give no delay (or a wrapped one).
    if (!animated) frameDelay = 11 - speed < 1 ? 1 : 11 - speed;
    speedFactor = 0;
    arrivalEffect = FALSE;
    fixed = TRUE;
    backwards = reverse ? TRUE : FALSE;
    bounce = bounce_ ? TRUE : FALSE;
}

CMissileGump::CMissileGump(Coords where, int art, int speed, int duration, int reverse, int bounce_,
                           M_DWORD hue_, M_DWORD blend)
    : hue(hue_), blendMode(blend) {
    Init();
    SetUpFixed(art, speed, duration, reverse, bounce_);
    ScreenPointOf(where, &x, &y);
    currentX = x;
    currentY = y;
    targetPos = where;
    drawItem = new CMissileDrawItem(this, where);
    drawItem->AddToDrawList();
}

CMissileGump::CMissileGump(CObj* object, int art, int speed, int duration, int reverse, int bounce_,
                           M_DWORD hue_, M_DWORD blend)
    : hue(hue_), blendMode(blend) {
    Init();
    SetUpFixed(art, speed, duration, reverse, bounce_);
    targetPos = PositionOf(object);
    targetSerial = object->IsDynamic() ? static_cast<CDynamicObj*>(object)->GetSerial() : 0;
    AttachTo(object);
}

CMissileGump::CMissileGump(CObj* object) {
    Init();
    targetPos = PositionOf(object);
    x = 22 * (targetPos.x - targetPos.y + MapManager::GetMapWidth()) - g_viewOffsetX;
    y = 22 * (targetPos.x + targetPos.y) - 4 * targetPos.z - g_viewOffsetY;
    currentX = x;
    currentY = y;
    framesLeft = 6;
    frameDelay = 1;
    firstArt = kFlickerFirstArt;
    lastArt = kFlickerLastArt;
    currentArt = kFlickerFirstArt + RandomNumber(kFlickerLastArt - kFlickerFirstArt + 1);
    flicker = TRUE;
    fixed = TRUE;
    drawItem = new CMissileDrawItem(this, targetPos);
    drawItem->AddToDrawList();
}

CMissileGump::~CMissileGump() {
    if (CMissileDrawItem* item = drawItem) {
        drawItem = nullptr;
        delete item;
    }
    if (fixed && targetSerial) Detach();
    // The sequence goes on at the start of the next frame, outside the gump
    // walk that is closing this gump (closing every missile at once must
    // not run a whole sequence through).
    if (const M_DWORD id = sequence) {
        sequence = 0;
        CSequence::StepDoneLater(id);
    }
}

CObj* CMissileGump::TargetObject() const {
    return targetSerial ? CObjectManager::FindObject(targetSerial) : nullptr;
}

void CMissileGump::AttachTo(CObj* object) {
    if (!object->IsMobile()) return;
    CMobile* mobile = static_cast<CMobile*>(object);
    CGump** link = &mobile->attachedEffects;
    while (*link) link = &static_cast<CMissileGump*>(*link)->nextEffect;
    *link = this;
    if (mobile->inList) {
        mobile->RemoveFromDrawList();
        mobile->AddToDrawList();
    }
}

void CMissileGump::Detach() {
    CObj* object = TargetObject();
    if (!object || !object->IsMobile()) return;
    CMobile* mobile = static_cast<CMobile*>(object);
    for (CGump** link = &mobile->attachedEffects; *link;
         link = &static_cast<CMissileGump*>(*link)->nextEffect) {
        if (*link != this) continue;
        *link = nextEffect;
        nextEffect = nullptr;
        if (mobile->inList) {
            mobile->RemoveFromDrawList();
            mobile->AddToDrawList();
        }
        return;
    }
}

void CMissileGump::ScrollBy(int dx, int dy) {
    currentX += dx;
    currentY += dy;
    targetX += dx;
    targetY += dy;
}

void CMissileGump::Arrive() {
    CMissileGump* arrival;
    if (targetSerial) {
        Coords above = targetPos;
        above.z = static_cast<short>(above.z + 1);
        arrival = new CMissileGump(above, kArrivalAtObjectArt, 10, 9, 0, 0, hue, blendMode);
    } else {
        arrival = new CMissileGump(targetPos, kArrivalAtPositionArt, 10, 13, 0, 0, hue, blendMode);
    }
    arrival->PutInGump(nullptr);
}

void CMissileGump::StepFrame() {
    if (++delayCounter < frameDelay) return;
    delayCounter = 0;
    if (animated) {
        const AnimDataEntry* entry = AnimationRecord(firstArt);
        if (!entry) return;
        frameDelay = entry->interval > 0 ? entry->interval : 1;
        lastArt = (lastArt + 1) % FrameCount(*entry);
        currentArt = firstArt + entry->frames[lastArt];
    } else if (flicker) {
        currentArt = firstArt + RandomNumber(lastArt - firstArt + 1);
    } else if (!backwards) {
        if (++currentArt > lastArt) {
            if (bounce && lastArt > firstArt) {
                backwards = TRUE;
                currentArt = lastArt - 1;
            } else {
                currentArt = firstArt;
            }
        }
    } else {
        if (--currentArt < firstArt) {
            if (bounce && lastArt > firstArt) {
                backwards = FALSE;
                currentArt = firstArt + 1;
            } else {
                currentArt = lastArt;
            }
        }
    }
}

void CMissileGump::UpdateState() {
    const int oldArt = currentArt;
    if (!drawItem) {
        // An effect on a mobile: it ends with its mobile.
        if (!targetSerial || !fixed || !TargetObject()) {
            delete this;
            return;
        }
    } else if (!fixed) {
        if (targetSerial) {
            CObj* target = TargetObject();
            if (!target) {
                // The object flown at is gone: the flight ends without it.
                delete this;
                return;
            }
            if (target->locX != targetPos.x || target->locY != targetPos.y ||
                target->z != targetPos.z) {
                targetPos = PositionOf(target);
                ScreenPointOf(target, &targetX, &targetY);
                const double dx = targetX - currentX, dy = targetY - currentY;
                const double distance = std::sqrt(dx * dx + dy * dy + 0.0);
                if (distance > 0) {
                    stepX = dx / distance * speedFactor;
                    stepY = dy / distance * speedFactor;
                    const double scale = speedFactor / distance;
                    drawItem->stepX = (targetPos.x - drawItem->worldX) * scale;
                    drawItem->stepY = (targetPos.y - drawItem->worldY) * scale;
                    drawItem->stepZ = (targetPos.z - drawItem->worldZ) * scale;
                }
                if (rotates)
                    direction = static_cast<M_BYTE>(
                        (RadiansToDirection256(static_cast<float>(std::atan2(stepY, stepX))) +
                         128) &
                        255);
            }
            if (std::abs(targetX - x) <= kArrivalRange && std::abs(targetY - y) <= kArrivalRange) {
                if (arrivalEffect) Arrive();
                delete this;
                return;
            }
            currentX += stepX;
            currentY += stepY;
            x = static_cast<int>(currentX);
            y = static_cast<int>(currentY);
        } else {
            currentX += stepX;
            currentY += stepY;
            x = static_cast<int>(currentX);
            y = static_cast<int>(currentY);
            if (framesLeft-- <= 1) {
                if (arrivalEffect) Arrive();
                delete this;
                return;
            }
        }
    }

    StepFrame();

    if (!fixed) {
        drawItem->Step();
        return;
    }
    if (framesLeft-- <= 1) {
        delete this;
        return;
    }
    if (currentArt == oldArt) return;
    if (drawItem) {
        drawItem->RemoveFromDrawList();
        drawItem->AddToDrawList();
    } else if (CObj* object = TargetObject(); object && object->inList) {
        object->RemoveFromDrawList();
        object->AddToDrawList();
    }
}

CMissileGump* LaunchMissilePosToPos(int art, Coords source, Coords target, int speed,
                                    int fixedDirection, int arrival) {
    auto* gump = new CMissileGump(art, source, target, speed, fixedDirection, arrival);
    gump->PutInGump(nullptr);
    return gump;
}

CMissileGump* LaunchMissilePosToObj(int art, Coords source, CObj* target, int speed,
                                    int fixedDirection, int arrival) {
    auto* gump = new CMissileGump(source, target, art, speed, fixedDirection, arrival);
    gump->PutInGump(nullptr);
    return gump;
}

CMissileGump* LaunchMissileObjToPos(int art, CObj* source, Coords target, int speed,
                                    int fixedDirection, int arrival) {
    auto* gump = new CMissileGump(source, target, art, speed, fixedDirection, arrival);
    gump->PutInGump(nullptr);
    return gump;
}

CMissileGump* LaunchMissileObjToObj(int art, CObj* source, CObj* target, int speed,
                                    int fixedDirection, int arrival) {
    auto* gump = new CMissileGump(source, target, art, speed, fixedDirection, arrival);
    gump->PutInGump(nullptr);
    return gump;
}
