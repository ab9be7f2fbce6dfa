// Raising a gump to the front of its list, and the minimize buttons.
#include "gumps/Gump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"

namespace {

// Takes the gump out of its list and links it again at the head.
void moveToHead(CGump* gump) {
    CGump*& head = gump->parent ? gump->parent->firstChild : g_gumpList;
    CGump*& last = gump->parent ? gump->parent->lastChild : CGumpManager::tail;
    if (last == gump) last = gump->prev;
    if (gump->next) gump->next->prev = gump->prev;
    if (gump->prev) gump->prev->next = gump->next;
    gump->prev = nullptr;
    gump->next = head;
    if (head) head->prev = gump;
    head = gump;
    if (!last) last = gump;
}

}  // namespace

void CGump::BringToFront(CGump* gump, int flag) {
    if (!gump || !TW_VALIDATE_OBJECT(gump)) return;
    if (gump->IsCharCreationGump() || gump->IsPinned()) return;
    if (flag == 0 && g_focusGump && g_focusGump->parent != gump) CGumpManager::DeactivateGump();
    if (!gump->prev) {
        // Already in front; a shop still raises its bill.
        if (gump->IsShopGump()) BringToFront(gump->GetBillGump(), flag);
        return;
    }
    moveToHead(gump);
    if (!gump->IsBarkGump()) {
        // Speech stays above the gump that spoke: its speech gumps are raised
        // in turn, the back-most first.  Each moves to the head, so the walk
        // goes on from the gump before the one just raised.
        CGump* g = CGumpManager::tail;
        while (g && g != gump) {
            CGump* before = g->prev;
            if (g->IsBarkGump() && g->ownerGump == gump) BringToFront(g, 0);
            g = before;
        }
    }
    if (gump->IsShopGump()) BringToFront(gump->GetBillGump(), flag);
}
