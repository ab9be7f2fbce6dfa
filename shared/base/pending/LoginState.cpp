#include "login/LoginState.h"

#include "pending/Pending.h"

const char* GetCurrentCharacterName() {
    TW_PENDING("GetCurrentCharacterName");
    return "";
}

const char* GetCurrentShardName() {
    TW_PENDING("GetCurrentShardName");
    return "";
}
