// Footstep sounds: worked out from the frame a walking mobile shows, the
// way the world view draws it, when it is filed into its cell again.
#include "SoundManager.h"
#include "config/Config.h"
#include "world/Mobile.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"

namespace {

bool IsFourLeggedWalker(int body) {
    switch (body) {
        case 4:
        case 5:
        case 6:
        case 9:
        case 10:
        case 12:
        case 30:
        case 39:
        case 59:
        case 60:
        case 61:
            return true;
        default:
            return false;
    }
}

}  // namespace

void CMobile::PlayFootstepSound() {
    const int body = objectType;
    if (body >= 1000 || IsBody402Or403() || resting || (statusFlags & 0x80)) return;
    const BOOL isPlayer = IsPlayer();
    const BOOL run = isPlayer ? MoveManager::stepRunning : running;
    CObj* hand = equippedItem[1];
    const bool lit = hand && (CObjectManager::ItemTile(hand->TileIndex()).flags & TILE_LIGHT);

    int action = 0;
    int frames = 10;
    if (body >= 400) {
        if (equippedItem[MOUNT_LAYER]) {
            action = run ? 24 : 23;
            frames = 5;
        } else if (lit) {
            action = run ? 6 : 2;
        } else {
            action = run ? 4 : 0;
        }
    } else if (body >= 200) {
        action = run ? 1 : 0;
        frames = 5;
    } else if (IsFourLeggedWalker(body)) {
        action = run ? 19 : 0;
    }

    int frame = 0;
    if (animActive) {
        frame = animFrame;
        action = (animAction + animActionOffset) & 127;
    } else if (frames > 1) {
        const int counter = isPlayer ? MoveManager::stepCounter : frameCounter;
        frame = counter % (frames - 1);
    }

    if (body < 400 || !Footsteps) return;
    int sound = 0;
    if (action < 8 || action == 23) {
        if (frame == 1) sound = 299;
        if (frame == 6) sound = 300;
    } else if (action == 24) {
        if (frame == 1) sound = 297;
        if (frame == 3) sound = 298;
    }
    if (!sound) return;
    if (isPlayer)
        SoundManager::PlaySound(sound, 0, -1000, FALSE, 14, TRUE);
    else
        SoundManager::PlayPositional(sound, locX, locY, z, 1.0f, FALSE, 14, TRUE);
}
