// Closing gumps in groups.  Each walk holds the next gump in a handle, so a
// gump that closes its neighbour while it closes (a gump that owns another
// top-level gump) does not break the walk.
#include "gumps/Gump.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "world/ObjectManager.h"

namespace {

template <typename Pick>
void closeTopLevel(Pick pick) {
    GumpHandle walk(g_gumpList, GumpHandle::OnClose::StepNext);
    while (CGump* gump = walk.get()) {
        walk.set(gump->next);
        if (pick(gump)) delete gump;
    }
}

}  // namespace

void CGumpManager::CloseFlaggedGumps() {
    closeTopLevel([](CGump* g) { return g->IsDisposable(); });
}

void CGumpManager::CloseAllMissiles() {
    closeTopLevel([](CGump* g) { return g->IsMissileGump(); });
}

void CGumpManager::CloseAllGumps() {
    closeTopLevel([](CGump* g) {
        return !g->IsMapGump() && !g->IsInputGump() && !g->IsEdgeGump() && !g->IsPointGump();
    });
    tw::Service<GumpScreen>::Get().ResetScroll();
}

void CGumpManager::CloseDragGump() {
    // Closing it clears CObjectManager::dragGump.
    delete CObjectManager::dragGump;
}
