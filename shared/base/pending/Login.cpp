// Stand-in of the login screens: no character or shard is chosen and no
// quit question opens; the shard list's choices, sorting and cancelling go
// nowhere.
#include "app/SmallMessages.h"
#include "gumps/ChoiceGump.h"
#include "login/CharCreation.h"
#include "login/LoginRoad.h"
#include "login/MainMenuGump.h"
#include "login/QuitQuestion.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class LoginStandIn : public LoginService, public ShardChoice, public LoginScreens,
                     public CharacterCreation {
public:
    void OpenProfessionGump() override { TW_PENDING("CGump::OpenProfessionGump"); }
    void CloseCreationGumps() override {}

    BOOL IsOpen(LoginGumpKind) override { return FALSE; }
    void Close(unsigned) override {}
    void SetInputEnabled(LoginGumpKind, BOOL) override {}
    void OpenBox(const char*, LoginGumpKind, int) override { TW_PENDING("LoginScreens::OpenBox"); }
    void ShowShardChoice(const ShardChoiceLine*, int, BOOL) override {
        TW_PENDING("CShardChoiceGump::CShardChoiceGump");
    }
    void NewCharacterList() override { TW_PENDING("CLoginGump::CLoginGump"); }
    void AddCharacter(const char*, const char*, int) override {}
    void RemoveCharacter(int) override {}
    void ShowCharacterList() override {}
    void StartCharacterCreation() override { TW_PENDING("CGump::NewChar"); }
    void AcceptCharacterList() override {}
    void SetWindowTitle(const char*) override {}
    void OpenWaiting(const char*) override {}

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
    void SelectShard(int, const char*) override { TW_PENDING("CShardChoiceGump::SelectShard"); }
    void SortShards(CScrollChoiceGump*, int) override { TW_PENDING("CGump::SortShards"); }
    void ShardListCancelled() override { TW_PENDING("CShardChoiceGump::ShardListCancelled"); }
};

// Entering the world: no front-end gump holds it back, and the saved
// desktop, the play area's edges and the popup help's text window are not
// built.
class WorldEntryStandIn : public WorldEntry {
public:
    BOOL DeferLoginCompletion(void (*)()) override { return FALSE; }
    void LoadDesktop() override { TW_PENDING("CGumpManager::LoadDesktop"); }
    void ResetGameAreaEdges() override { TW_PENDING("ResetGameAreaEdges"); }
    CGump* OpenScrollText(int, int, int, int, const M_WORD*) override {
        TW_PENDING("CScrollTextGump::CScrollTextGump");
        return nullptr;
    }
};

}  // namespace

void InstallPendingLogin() {
    InstallStandIn<LoginStandIn, LoginService, ShardChoice, LoginScreens, CharacterCreation>();
    InstallStandIn<WorldEntryStandIn, WorldEntry>();
}
