// The active gump: the one that receives the keys.
#include "gumps/Gump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "world/Obj.h"

namespace {

GumpSession* session() {
    return tw::Service<GumpSession>::IsInstalled() ? &tw::Service<GumpSession>::Get() : nullptr;
}

}  // namespace

void CGumpManager::SetActiveGump(CGump* gump) {
    if (gump == g_focusGump) return;
    DeactivateGump();
    g_focusGump = gump;
    if (GumpSession* s = session()) s->UpdateInputPrompt();
}

void CGumpManager::DeactivateGump() {
    CGump* gump = g_focusGump;
    if (!gump) return;
    g_focusGump = nullptr;
    // A gump that closes its children does not commit their input.
    if (!g_gumpTeardown) gump->Deactivate();
    GumpSession* s = session();
    if (s && s->IsInWorld()) s->UpdateInputPrompt();
}
