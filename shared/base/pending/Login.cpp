// Stand-in of the login screens: no character or shard is chosen and no
// quit question opens.
#include "login/MainMenuGump.h"
#include "login/QuitQuestion.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class LoginStandIn : public LoginService {
public:
    CMainMenuGump* MakeMainMenuGump() override {
        TW_PENDING("CMainMenuGump::CMainMenuGump");
        return new CMainMenuGump();
    }
    const char* GetCurrentCharacterName() override {
        TW_PENDING("GetCurrentCharacterName");
        return "";
    }
    const char* GetCurrentShardName() override {
        TW_PENDING("GetCurrentShardName");
        return "";
    }
    BOOL IsQuitQuestionOpen() override {
        TW_PENDING("IsQuitQuestionOpen");
        return FALSE;
    }
    void OpenQuitQuestion(const char*) override { TW_PENDING("OpenQuitQuestion"); }
};

}  // namespace

void InstallPendingLogin() {
    InstallStandIn<LoginStandIn, LoginService>();
}
