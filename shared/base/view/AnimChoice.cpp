// The choice of a mobile's or corpse's animation number and frame, and the
// animation items through the data cache.
#include <algorithm>
#include <iterator>

#include "resources/DHDCache.h"
#include "view/AnimFrames.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

// Weapon lists: a number is in a list when it lies in the range and is a
// member.
constexpr int kW1[] = {611, 612, 613, 614, 615, 616, 617, 621,
                       624, 626, 628, 634, 636, 639, 641, 646};
constexpr int kW2[] = {576, 577, 578, 579, 580, 581, 582, 992, 993};

template <size_t N>
bool InList(const int (&list)[N], int lo, int hi, int number) {
    return number >= lo && number <= hi && std::find(list, list + N, number) != list + N;
}

int AnimNumberOf(CObj* item) {
    return item ? CObjectManager::ItemTile(item->TileIndex()).fieldD : -1;
}

}  // namespace

const M_BYTE* GetAnimationItem(int number, size_t* size) {
    *size = 0;
    if (number < 0) return nullptr;
    int length = 0, extra = 0;
    // The cache answers null for a number beyond the index.
    const M_BYTE* item = CDHDCache::GetCacheItem(FN_ANIMIDX, FN_ANIM, number, &length, &extra);
    if (!item || length <= 0) return nullptr;
    *size = static_cast<size_t>(length);
    return item;
}

int FirstAnimationNumber(int body) {
    if (body < 0) return -1;
    if (body < 200) return 110 * body;
    if (body < 400) return 22000 + 65 * (body - 200);
    return 35000 + 175 * (body - 400);
}

int DirectionGroup(int direction) {
    static const int kGroups[8] = {3, 2, 1, 0, 1, 2, 3, 4};
    return kGroups[direction & 7];
}

BOOL IsMirrored(int direction) {
    static const BOOL kMirror[8] = {1, 1, 1, 0, 0, 0, 0, 0};
    return kMirror[direction & 7];
}

int GetNotorietyHue(CMobile* mobile) {
    static const int kHues[8] = {0, 89, 63, 946, 946, 144, 34, 0};
    if (!mobile) return 0;
    const int v = mobile->GetStateValue();
    return v > 7 || v < 0 ? kHues[0] : kHues[v];
}

void GetAnimationId(int body, int direction, int stepCounter, int actionFrame, int frameCount,
                    int actionNumber, BOOL fast, int* number, int* frame, CMobile* mobile) {
    (void)frameCount;
    const int first = FirstAnimationNumber(body);
    const int group = DirectionGroup(direction);
    if (actionFrame != -1) {
        int action = actionNumber & 127;
        int f = actionFrame;
        if (action > 34) {
            action = 0;
            f = 0;
        }
        *number = first + 5 * action + group;
        *frame = f;
        return;
    }
    bool standing = true, war = false, ghost = false, mounted = false;
    CObj* weapon = nullptr;
    CObj* leftHand = nullptr;
    if (mobile) {
        standing = mobile->IsPlayer() ? MoveManager::stepFrame == 0 : mobile->stepFramesLeft == 0;
        if (mobile->IsPlayer()) war = static_cast<CPlayer*>(mobile)->GetWarMode() != FALSE;
        ghost = mobile->IsBody402Or403() != FALSE;
        mounted = body >= 400 && mobile->equippedItem[CMobile::MOUNT_LAYER] != nullptr;
        weapon = mobile->equippedItem[2];
        leftHand = mobile->equippedItem[1];
    }
    const int weaponNumber = AnimNumberOf(weapon);
    // The weapon condition: the item's animation is the body's and it is a
    // light source.
    const bool condition = weapon && weaponNumber == body &&
                           (CObjectManager::ItemTile(weapon->TileIndex()).flags & TILE_LIGHT);
    const bool plainHands = !weapon || InList(kW2, 576, 993, weaponNumber);

    int action = 0, f = 1;
    if (body < 150) {
        if (!standing) {
            static const int kFast[] = {4, 5, 6, 9, 10, 12, 30, 39, 59, 60, 61};
            const bool fastBody =
                std::find(std::begin(kFast), std::end(kFast), body) != std::end(kFast);
            action = fast && fastBody ? 19 : 0;
            f = 10;
        } else if (body == 13 || body == 15 || body == 16) {
            action = 8;
            f = 6;
        } else {
            action = 1;
        }
    } else if (body < 200) {
        if (standing) {
            action = 2;
        } else {
            action = fast ? 1 : 0;
            f = 10;
        }
    } else if (body < 400) {
        if (standing) {
            action = 2;
        } else {
            action = fast ? 1 : 0;
            f = 5;
        }
    } else if (!standing) {
        if (mounted) {
            action = fast ? 24 : 23;
            f = 5;
        } else if (fast) {
            action = plainHands ? 2 : 3;
            f = 10;
        } else if (war && !ghost) {
            action = 15;
            f = 10;
        } else {
            action = plainHands ? 0 : 1;
            f = 10;
        }
    } else if (body == 574) {
        action = 0;
        f = 10;
    } else if (mounted) {
        action = condition ? 28 : 25;
        f = condition ? 7 : 1;
    } else if (!war || ghost) {
        action = condition ? 0 : 4;
        f = condition ? 10 : 1;
    } else if (condition) {
        action = 2;
        f = 10;
    } else {
        const int held = AnimNumberOf(leftHand);
        action = InList(kW1, 611, 651, held) || InList(kW1, 611, 651, weaponNumber) ? 8 : 7;
        f = 1;
    }
    *number = first + 5 * action + group;
    *frame = f > 1 ? stepCounter % (f - 1) : 0;
    if (*frame < 0) *frame += f - 1;
}

void GetCorpseAnimation(int body, int direction, int* number, int* frameIndex) {
    const bool flag = (direction & 0x80) != 0;
    int action;
    if (body < 150)
        action = flag ? 3 : 2;
    else if (body < 200)
        action = 8;
    else if (body < 400)
        action = flag ? 12 : 8;
    else
        action = flag ? 22 : 21;
    *number = FirstAnimationNumber(body) + 5 * action + DirectionGroup(direction);
    *frameIndex = body < 150 ? 3 : 5;
}
