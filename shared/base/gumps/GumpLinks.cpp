// Linking a gump into a list: its parent's children or the top-level list.
#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"

namespace {

// Whether the gump is already in a list.  A top-level gump is looked for in
// the list itself, as the list is short and a lone head has no links.
bool isLinked(const CGump* gump) {
    if (gump->next || gump->prev) return true;
    if (gump->parent) return gump->parent->firstChild == gump;
    for (const CGump* g = g_gumpList; g; g = g->next)
        if (g == gump) return true;
    return false;
}

}  // namespace

BOOL CGump::PutInGump(CGump* newParent, BOOL) {
    if (isLinked(this)) {
        // Linking twice would join two lists into a loop.
        TWReport::error("CGump::PutInGump: gump '%s' is already linked; not linked again.\n", name);
        return FALSE;
    }
    parent = newParent;
    prev = nullptr;
    CGump*& head = parent ? parent->firstChild : g_gumpList;
    CGump*& last = parent ? parent->lastChild : CGumpManager::tail;
    next = head;
    if (next) next->prev = this;
    head = this;
    if (!last) last = this;
    return TRUE;
}
