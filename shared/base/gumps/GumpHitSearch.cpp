// The gump under a screen point.
#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"

CGump* CGumpManager::GetGumpAt(int x, int y, CGump* excluded, int flag) {
    if (modalGump) {
        // While a question waits, nothing else takes the mouse.
        int gx = x, gy = y;
        CGump::ScreenToGumpCoords(modalGump, &gx, &gy);
        if (!modalGump->HitTest(gx, gy)) return nullptr;
        return modalGump->GetGumpAt(gx, gy, excluded, flag);
    }
    for (CGump* gump = g_gumpList; gump; gump = gump->next) {
        if (!TW_VALIDATE_OBJECT(gump)) {
            TWReport::error(
                "CGumpManager::GetGumpAt: either pointer 'pGump' is not valid, or the data it "
                "points to is not valid. returning NULL.\n");
            return nullptr;
        }
        if (gump == excluded || !gump->visible) continue;
        int gx = x, gy = y;
        CGump::ScreenToGumpCoords(gump, &gx, &gy);
        if (!gump->HitTest(gx, gy)) continue;
        if (flag && gump->IsBarkGump() && !gump->OwnerIsMobileOrCorpse()) continue;
        return gump->GetGumpAt(gx, gy, excluded, flag);
    }
    return nullptr;
}
