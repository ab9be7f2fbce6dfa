// Playing the queued steps frame by frame, and the ways a walk starts: keys,
// the pointer, the server's path request and the walk keys it hands out.
#include <cstdio>
#include <cstdlib>

#include "SoundManager.h"
#include "resources/GraphicManager.h"
#include "world/Directions.h"
#include "world/GumpHooks.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/PathManager.h"
#include "world/ViewHooks.h"
#include "world/WeatherManager.h"

namespace {

constexpr int MOUNT_LAYER = 25;
// A fall deeper than this hurts.
constexpr int PAINFUL_FALL = 21;

// Frames per cell of the body: walking, or running.
int BodySpeed(CPlayer* player, bool running) {
    const M_BYTE* speeds = GraphicManager::GetAnimInfo(player->objectType);
    return static_cast<signed char>(speeds[running ? 1 : 0]);
}

// The player is drawn p / t of the way to the next cell.
void SetScrollOffset(CPlayer* player, int direction, int p, int t) {
    int ortho = 0, diag = 0;
    if (t > 0) {
        ortho = 22 * p / t;
        diag = 44 * p / t;
    }
    static const int sx[8] = {1, 2, 1, 0, -1, -2, -1, 0};
    static const int sy[8] = {-1, 0, 1, 2, 1, 0, -1, -2};
    const int d = direction & 7;
    auto part = [&](int s) { return s == 0 ? 0 : (s == 2 || s == -2) ? s / 2 * diag : s * ortho; };
    player->slideX = part(sx[d]);
    player->slideY = part(sy[d]);
}

void Ouch(CPlayer* player) {
    player->AddOverheadText("ouch!", 0, 3, nullptr, 0);
    const int first = player->objectType % 2 == 0 ? 340 : 331;
    SoundManager::PlaySoundIfEnabled(first + rand() % 5, 0, 0);
}

// Ends the player's following of a mobile, as any walk the user starts does.
void StopFollowing(CPlayer* player) {
    if (!player->following) return;
    player->following = FALSE;
    player->AddOverheadText("Stopped following.", 0, 3, nullptr, 0);
}

bool AllStepsPlayed() {
    return MoveManager::animIndex >= MoveManager::queueCount;
}

}  // namespace

void MoveManager::Update() {
    CPlayer* player = pPlayerObject;
    if (!player || player->dead) return;

    if (queueCount > 0 && animIndex < queueCount && queue[animIndex].falling) {
        falling = TRUE;
        fallStartZ = player->z;
        fallEndZ = queue[animIndex].z;
    } else {
        falling = FALSE;
    }

    if (player->inList) {
        if (queueCount == 0) {
            if (!player->resting) {
                player->RemoveFromDrawList();
                player->resting = TRUE;
                stepCounter = 3;
                player->AddToDrawList();
            }
        } else {
            player->resting = FALSE;
        }
    }

    if (animIndex >= queueCount) return;
    if (following && !queue[animIndex].acknowledged) return;

    const WalkEntry entry = queue[animIndex];
    const bool isStep = entry.direction == entry.previousFacing;
    const int oldX = player->locX, oldY = player->locY, oldZ = player->z;
    player->RemoveFromDrawList();
    ++stepCounter;
    ++stepFrame;
    int duration = BodySpeed(player, stepRunning != FALSE);
    if (player->equippedItem[MOUNT_LAYER]) duration /= 2;
    if (falling) duration = 2 * ((fallStartZ - fallEndZ) / 11) + BodySpeed(player, false);
    stepDuration = duration;

    // A duration of 0 (or below) ends the step at once.
    if (stepFrame >= duration || !isStep) {
        if (isStep && player->z - entry.z > PAINFUL_FALL && !player->IsBody402Or403()) Ouch(player);
        stepFrame = 0;
        stepRunning = entry.running;
        player->direction = entry.direction;
        if (isStep) {
            int x = player->locX + DIR_DX[entry.direction];
            int y = player->locY + DIR_DY[entry.direction];
            if (player->locX < WRAP_X) WrapCell(&x, &y);
            player->locX = static_cast<short>(x);
            player->locY = static_cast<short>(y);
            player->z = entry.z;
        }
        if (entry.acknowledged)
            RemoveEntry(animIndex);
        else
            ++animIndex;
    }

    SetScrollOffset(player, entry.direction, stepFrame, duration);

    const int viewX = g_viewOffsetX, viewY = g_viewOffsetY;
    player->CalcDrawZ();
    const int dx = viewX - g_viewOffsetX;
    const int dy = viewY - g_viewOffsetY;
    if (dx != 0 || dy != 0) {
        WeatherManager::Scroll(dx, dy);
        world::Gumps().ScrollMissiles(dx, dy);
        if (std::abs(dx) < GraphicManager::getGameplayWindowPixelWidth() &&
            std::abs(dy) < GraphicManager::getGameplayWindowPixelHeight() / 2)
            world::Light().ScrollView(dx, dy);
        else
            world::Screen().InvalidateScreen();
        world::Gumps().UpdateBarkPositions();
    }
    player->AddToDrawList();
    if (player->locX != oldX || player->locY != oldY || player->z != oldZ)
        world::Draw().UpdateRoofCut();
}

void MoveManager::WalkByKey(int direction, M_DWORD keyState) {
    CPlayer* player = pPlayerObject;
    if (!player) return;
    StopFollowing(player);
    const bool repeated = (keyState & 0x40000000) != 0;
    if (repeated && (resync || !AllStepsPlayed())) return;
    RequestMove(direction + 1, 0, TRUE);
}

void MoveManager::WalkByMouse(int direction, M_DWORD running) {
    CPlayer* player = pPlayerObject;
    if (!player) return;
    StopFollowing(player);
    if (direction < 0 || resync || !AllStepsPlayed()) return;
    RequestMove(direction + 1, running, TRUE);
}

void MoveManager::PathfindTo(int x, int y, int z) {
    if (--pathfindCountdown > 1) return;
    pathfindCountdown = 20;
    CPlayer* player = pPlayerObject;
    if (!player) return;
    char text[64];
    snprintf(text, sizeof text, "%d %d %d", x, y, z);
    player->AddOverheadText(text, 0, 0, nullptr, 0);
    MapAccess& map = world::Map();
    PathNode* goal = PathManager::FindPath(map.GetCenterX(), map.GetCenterY(), map.GetCenterZ(), x,
                                           y, z, 500, 1);
    if (!goal) {
        g_pathWalk.active = FALSE;
        return;
    }
    world::Screen().RelinkPathBackPointers();
    g_pathWalk.node = goal;
    g_pathWalk.facing = player->direction;
    g_pathWalk.active = TRUE;
    snprintf(text, sizeof text, "Pathfinding to %d, %d, %d.", x, y, z);
    player->AddOverheadText(text, 0, 0, nullptr, 0);
}

M_DWORD CPlayer::TakeWalkKey() {
    for (M_DWORD& key : walkKeys)
        if (key) {
            const M_DWORD value = key;
            key = 0;
            return value;
        }
    return 0;
}

void CPlayer::SetWalkKey(M_DWORD value, int slot) {
    if (slot >= 0 && slot < WALK_KEYS) walkKeys[slot] = value;
}

void CPlayer::AddWalkKey(M_DWORD value) {
    for (M_DWORD& key : walkKeys)
        if (!key) {
            key = value;
            return;
        }
}
