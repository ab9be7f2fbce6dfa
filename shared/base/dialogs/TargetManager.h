// The target bars and the last target they show.  Only what its callers use
// so far is declared here (DialogsService).
#pragma once

#include "dialogs/Dialogs.h"

class TargetManager {
public:
    // Records the mobile as the last target, requests its status and opens
    // its target bar.
    static void SetLastTarget(CObj* mobile) { dialogs::Service().SetLastTarget(mobile); }
};
