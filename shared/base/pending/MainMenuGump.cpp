#include "login/MainMenuGump.h"
#include "pending/Pending.h"

CMainMenuGump::CMainMenuGump() {
    TW_PENDING("CMainMenuGump::CMainMenuGump");
}
