#include "dialogs/PlayerGumps.h"
#include "pending/Pending.h"

void RefreshPlayerStatusGumps() {
    TW_PENDING("RefreshPlayerStatusGumps");
}

void ShowPaperdollWarMode(BOOL) {
    TW_PENDING("ShowPaperdollWarMode");
}
