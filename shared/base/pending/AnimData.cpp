#include "resources/AnimData.h"
#include "pending/Pending.h"

void LoadAnimData() {
    TW_PENDING("LoadAnimData");
}
void FreeAnimData() {
    TW_PENDING("FreeAnimData");
}
