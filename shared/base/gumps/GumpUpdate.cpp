// The manager's per-frame work: the speech gumps' lifetimes, the radar and
// every top-level gump's update, and following a scroll of the view.
#include "Clock.h"
#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpManager.h"
#include "gumps/Sequence.h"

namespace {

bool valid(CGump* gump, const char* caller) {
    if (TW_VALIDATE_OBJECT(gump)) return true;
    TWReport::error(
        "%s: either pointer 'pGump' is not valid, or the data it points to is not valid. "
        "breaking out of loop.\n",
        caller);
    return false;
}

}  // namespace

void CGumpManager::Update() {
    CSequence::RunPending();
    UpdateBarks();
    if (radarGump) {
        // The radar's update may close it; the blink needs it still open.
        GumpHandle radar(radarGump);
        radarGump->Update();
        if (radar) radar.get()->Animate();
    }
    // The walk holds the next gump in a handle: a gump may close itself or
    // its next sibling in UpdateState.
    GumpHandle walk(g_gumpList, GumpHandle::OnClose::StepNext);
    while (CGump* gump = walk.get()) {
        if (!valid(gump, "CGumpManager::Update")) break;
        walk.set(gump->next);
        gump->UpdateState();
    }
}

void CGumpManager::UpdateBarks() {
    const M_DWORD now = GetTimeMs();
    GumpHandle walk(g_gumpList, GumpHandle::OnClose::StepNext);
    while (CGump* gump = walk.get()) {
        if (!valid(gump, "CGumpManager::UpdateBarks")) break;
        walk.set(gump->next);
        if (gump->IsBarkGump() && gump->LifetimeOver(now)) delete gump;
    }
}

void CGumpManager::UpdateBarkPositions() {
    // First every speech gump follows its speaker, then the heads of the
    // chains arrange their stacks.
    GumpHandle walk(g_gumpList, GumpHandle::OnClose::StepNext);
    while (CGump* gump = walk.get()) {
        walk.set(gump->next);
        if (gump->IsBarkGump()) gump->FollowOwner();
    }
    walk.set(g_gumpList);
    while (CGump* gump = walk.get()) {
        walk.set(gump->next);
        if (gump->IsBarkGump()) gump->ArrangeStack();
    }
}

void CGumpManager::ScrollMissiles(int dx, int dy) {
    for (CGump* gump = g_gumpList; gump; gump = gump->next) {
        if (!gump->IsMissileGump()) continue;
        gump->x += dx;
        gump->y += dy;
        gump->ScrollBy(dx, dy);
    }
}
