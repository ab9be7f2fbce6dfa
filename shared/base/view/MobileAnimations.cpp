// The table of mobiles that play an action animation, stepped once a drawn
// frame.  Each frame change files the mobile again, so that its new frame
// is drawn and the area of the old one repainted.
//
// The table holds pointers; a mobile takes itself out when it is destroyed
// (~CMobile), so no entry ever names a deleted mobile.
#include <array>

#include "gumps/Sequence.h"
#include "view/DrawManager.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

constexpr int kTableSize = 20;
std::array<CMobile*, kTableSize> g_animating{};

// Takes the mobile out of its list, changes its animation state and files
// it again.
template <typename Change>
void Refile(CMobile* mobile, Change change) {
    const BOOL listed = mobile->inList;
    if (listed) mobile->RemoveFromDrawList();
    change();
    if (listed) mobile->AddToDrawList();
}

// The number of plays: a repeat count of 0 still plays once.
int Plays(const CMobile* mobile) {
    return mobile->animRepeat == 0 ? 1 : mobile->animRepeat;
}

// One step of the mobile's animation; FALSE when it has ended.
bool Advance(CMobile* m) {
    const int frame = m->animFrame, count = m->animFrameCount;
    const int repeat = m->animActionOffset;
    const bool pingPong = m->animRepeatFlag != 0;
    if (!m->animBackward) {
        if (frame < count - 1) {
            Refile(m, [&] { m->animFrame = static_cast<M_WORD>(frame + 1); });
        } else if (repeat < Plays(m) - 1) {
            Refile(m, [&] {
                m->animActionOffset = repeat + 1;
                m->animFrame = 0;
            });
        } else if (pingPong) {
            Refile(m, [&] {
                m->animBackward = 1;
                m->animRepeatFlag = 0;
                m->animFrame = static_cast<M_WORD>(frame > 0 ? frame - 1 : 0);
            });
        } else {
            return false;
        }
    } else {
        if (frame != 0 && frame <= count) {
            Refile(m, [&] { m->animFrame = static_cast<M_WORD>(frame - 1); });
        } else if (repeat > 0) {
            Refile(m, [&] {
                m->animActionOffset = repeat - 1;
                m->animFrame = static_cast<M_WORD>(count > 0 ? count - 1 : 0);
            });
        } else if (pingPong) {
            Refile(m, [&] {
                m->animBackward = 0;
                m->animRepeatFlag = 0;
                m->animFrame = static_cast<M_WORD>(frame + 1);
            });
        } else {
            return false;
        }
    }
    m->animTimer = 0;
    return true;
}

}  // namespace

void ClearMobileAnimations() {
    g_animating.fill(nullptr);
}

void StartMobileAnimation(CMobile* mobile) {
    if (!mobile || mobile->animTableIndex >= 0) return;
    for (int i = 0; i < kTableSize; ++i) {
        if (g_animating[i]) continue;
        g_animating[i] = mobile;
        mobile->animTableIndex = i;
        return;
    }
    // A full table: this animation does not play.
}

int StopMobileAnimation(CMobile* mobile) {
    const int index = mobile->animTableIndex;
    if (index >= 0 && index < kTableSize && g_animating[index] == mobile) {
        Refile(mobile, [&] { mobile->animActive = FALSE; });
        g_animating[index] = nullptr;
    } else {
        mobile->animActive = FALSE;
    }
    mobile->animTableIndex = -1;
    // The animation was a step of an effect sequence: the sequence goes on
    // at the next frame, outside the drawing pass and any destructor.
    if (const M_DWORD sequence = mobile->sequenceId) {
        mobile->sequenceId = 0;
        CSequence::StepDoneLater(sequence);
    }
    // A death fall ends by handing the mobile's place to its corpse; the
    // player's object stays.  The mobile may be deleted here.
    if (static_cast<signed char>(mobile->animAction) < 0 && mobile != pPlayerObject) {
        CObjectManager::RemoveLink(0, mobile->GetSerial(), FALSE);
        return TRUE;
    }
    return FALSE;
}

void StepMobileAnimation(CMobile* mobile) {
    if (!Advance(mobile)) StopMobileAnimation(mobile);
}

void StepMobileAnimations() {
    for (CMobile* mobile : g_animating) {
        if (!mobile) continue;
        // A delay d steps every d + 2 frames.
        const int before = mobile->animTimer;
        mobile->animTimer = static_cast<M_WORD>(before + 1);
        if (before > mobile->animDelay) StepMobileAnimation(mobile);
    }
}
