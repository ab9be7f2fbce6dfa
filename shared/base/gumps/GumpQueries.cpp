// Questions about the open gumps that other modules ask.
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/ObjectQueries.h"

namespace {

constexpr int kBackpackLayer = 21;

bool isWindow(CGump* g, int window) {
    CObj* player = pPlayerObject;
    switch (window) {
        case 0:
            return g->IsOptionsGump() || g->IsClientCfgGump();
        case 1:
            return g->IsPaperdollGump() && player && g->owner == player;
        case 2:
            return g->IsStatusGump() && player && g->owner == player;
        case 3:
            return g->IsTextGump();
        case 4:
            return g->IsSkillGump();
        case 5:
            return g->IsSpellBookGump();
        case 6:
            return g == CGumpManager::pChatGump || g->IsChatWindow();
        case 7:
            return g->IsContainerGump() && player &&
                   g->owner == GetEquippedItem(player, kBackpackLayer);
        case 8:
            return g->IsRadarGump();
        case 9:
            return g == CGumpManager::pMailGump;
        default:
            return false;
    }
}

}  // namespace

BOOL CGumpManager::IsGumpOpen(const void* gump) {
    // Compared by address only: the pointer may name a gump long closed.
    for (const CGump* g = g_gumpList; g; g = g->next)
        if (static_cast<const void*>(g) == gump) return TRUE;
    return FALSE;
}

CGump* CGumpManager::FindWindowGump(int window) {
    for (CGump* g = g_gumpList; g; g = g->next)
        if (isWindow(g, window)) return g;
    return nullptr;
}
