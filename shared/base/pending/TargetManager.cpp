#include "dialogs/TargetManager.h"

#include "pending/Pending.h"

void TargetManager::SetLastTarget(CObj*) {
    TW_PENDING("TargetManager::SetLastTarget");
}
