// The manager's references and the one step that clears every kept pointer
// to a gump that is closing.
#include <initializer_list>

#include "gumps/DragGump.h"
#include "gumps/Gump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/GumpObjects.h"
#include "gumps/MouseManager.h"

CGump* CDragGump::highlightedPaperdoll = nullptr;
CGump* CGumpManager::tail = nullptr;
CGump* CGumpManager::mouseonGump = nullptr;
CGump* CGumpManager::modalGump = nullptr;
CGump* CGumpManager::helpTextGump = nullptr;
CGump* CGumpManager::toolTipGump = nullptr;
CGump* CGumpManager::pWaitingGump = nullptr;
CGump* CGumpManager::configGump = nullptr;
CGump* CGumpManager::skillGump = nullptr;
CGump* CGumpManager::fightingGump = nullptr;
CGump* CGumpManager::arrowGump = nullptr;
CGump* CGumpManager::pChatGump = nullptr;
CGump* CGumpManager::pGMChatGump = nullptr;
CGump* CGumpManager::pHTMLGump = nullptr;
CGump* CGumpManager::pMailGump = nullptr;
CGump* CGumpManager::toolTipCandidate = nullptr;
M_DWORD CGumpManager::toolTipCandidateSince = 0;

namespace {

void clearIf(CGump*& slot, const CGump* gump) {
    if (slot == gump) slot = nullptr;
}

// Every gump of the tree that speaks for or waits on the closing gump
// forgets it.
void forgetOwnerGump(CGump* list, const CGump* gump) {
    for (CGump* g = list; g; g = g->next) {
        if (g->ownerGump == gump) g->ownerGump = nullptr;
        forgetOwnerGump(g->firstChild, gump);
    }
}

}  // namespace

void CGumpManager::ForgetGump(CGump* gump) {
    // The modules above see the manager's references as they were.
    if (tw::Service<GumpSession>::IsInstalled()) tw::Service<GumpSession>::Get().ForgetGump(gump);
    if (g_focusGump == gump) DeactivateGump();
    clearIf(g_focusGump, gump);
    for (CGump** slot :
         {&mouseonGump, &modalGump, &helpTextGump, &toolTipGump, &toolTipCandidate, &pWaitingGump,
          &configGump, &radarGump, &skillGump, &fightingGump, &arrowGump, &pChatGump, &pGMChatGump,
          &pHTMLGump, &pMailGump, &wornContainerGump})
        clearIf(*slot, gump);
    clearIf(MouseManager::pCapture, gump);
    clearIf(CDragGump::highlightedPaperdoll, gump);
    forgetOwnerGump(g_gumpList, gump);
    ForgetGumpInOwner(gump);
}
