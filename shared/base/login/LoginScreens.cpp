// The screens as the login road and the framework reach them: LoginScreens
// (LoginRoad.h), the shard list's ShardChoice, the LoginService and the
// hold on the login completion.
#include "gumps/ChoiceGump.h"
#include "gumps/GumpManager.h"
#include "gumps/WaitingGump.h"
#include "login/CharCreation.h"
#include "login/FrontEnd.h"
#include "login/FrontEndSort.h"
#include "login/LoginRoad.h"
#include "login/LoginState.h"
#include "resources/GraphicManager.h"
#include "Platform.h"

namespace {

CGump* GumpOf(LoginGumpKind kind) {
    switch (kind) {
    case kLoginWaitingGump: return CGumpManager::pWaitingGump;
    case kLoginAcctGump: return pAcctLoginGump;
    case kLoginShardChoiceGump: return pShardGump;
    case kLoginCharSelectGump: return pLGump;
    default: return nullptr;
    }
}

void CloseWaiting() {
    CGump* box = CGumpManager::pWaitingGump;
    CGumpManager::pWaitingGump = nullptr;
    if (box && CGumpManager::IsGumpOpen(box)) delete box;
}

class Screens final : public LoginScreens,
                      public LoginService,
                      public ShardChoice,
                      public LoginCompletionHold {
public:
    // ---- LoginScreens ----
    BOOL IsOpen(LoginGumpKind gump) override { return GumpOf(gump) != nullptr; }

    void Close(unsigned kinds) override {
        if (kinds & kLoginWaitingGump) CloseWaiting();
        if (kinds & (kLoginProfessionGump | kLoginCharCreationGump | kLoginCityMapGump |
                     kLoginTutorialGump))
            tw::Service<CharacterCreation>::Get().CloseCreationGumps();
        if ((kinds & kLoginShardChoiceGump) && pShardGump) delete pShardGump;
        if ((kinds & kLoginCharSelectGump) && pLGump) delete pLGump;
        // The login box lives and dies with the main menu.
        if ((kinds & kLoginAcctGump) && pAcctLoginGump) pAcctLoginGump->visible = FALSE;
    }

    void SetInputEnabled(LoginGumpKind kind, BOOL on) override {
        if (CGump* gump = GumpOf(kind)) gump->inputEnabled = on;
    }

    void OpenBox(const char* text, LoginGumpKind parentKind, int logoutOnClose) override {
        CloseWaiting();
        frontend::requestWait = nullptr;
        CGump* owner = GumpOf(parentKind);
        // The box's button shows its owner again.
        if (owner) owner->visible = FALSE;
        CGumpManager::pWaitingGump = OpenMessageBox(text, owner, FALSE, logoutOnClose);
    }

    void ShowShardChoice(const ShardChoiceLine* lines, int count, BOOL) override {
        if (pShardGump) delete pShardGump;
        auto* gump = new CShardChoiceGump();
        pShardGump = gump;
        CScrollChoiceGump* list = gump->GetList();
        for (int i = 0; i < count; ++i) list->AddChoice(lines[i].id, lines[i].text, lines[i].hue);
        list->RenderChoices();
        gump->PutInGump(nullptr);
        // The list lies over its gump.
        CGump::BringToFront(list, 1);
        AddFrontEndButtons(gump);
    }

    void NewCharacterList() override {
        if (pLGump) delete pLGump;
        pLGump = new CLoginGump();
        pLGump->visible = FALSE;
        pLGump->PutInGump(nullptr);
    }
    void AddCharacter(const char* name, const char* password, int slot) override {
        if (pLGump) pLGump->AddCharacter(name, password, slot);
    }
    void RemoveCharacter(int slot) override {
        if (pLGump) pLGump->RemoveCharacter(slot);
    }
    void ShowCharacterList() override {
        if (pLGump) pLGump->Show();
    }
    void StartCharacterCreation() override {
        if (pLGump)
            pLGump->NewChar();
        else
            tw::Service<CharacterCreation>::Get().OpenProfessionGump();
    }
    void AcceptCharacterList() override {
        if (pLGump) pLGump->AskPlayChar();
    }
    void SetWindowTitle(const char* title) override { ::SetWindowTitle(title); }

    void OpenWaiting(const char* text) override {
        CloseWaiting();
        CGump* owner = pLGump ? static_cast<CGump*>(pLGump) : pAcctLoginGump;
        auto* box = new CWaitingGump(-1, -1, text, owner, TRUE, FALSE, FALSE);
        box->PutInGump(nullptr);
        CGumpManager::modalGump = box;
        CGumpManager::pWaitingGump = box;
        frontend::requestWait = box;
    }

    // ---- LoginService ----
    CMainMenuGump* MakeMainMenuGump() override { return new CMainMenuGump(); }
    const char* GetCurrentCharacterName() override { return frontend::currentCharName; }
    const char* GetCurrentShardName() override { return frontend::currentShardName; }
    BOOL IsQuitQuestionOpen() override { return frontend::quitQuestion != nullptr; }
    void OpenQuitQuestion(const char* text) override {
        // The macro's question: its yes ends the program.
        auto* question = new CYesNoGump(text, &CGump::ExitProgram, &CGump::Close, nullptr);
        question->PutInGump(nullptr);
        frontend::quitQuestion = question;
    }

    // ---- LoginCompletionHold ----
    BOOL DeferLoginCompletion(void (*complete)()) override { return HoldLoginCompletion(complete); }

    // ---- ShardChoice ----
    void SelectShard(int id, const char*) override {
        if (pShardGump) pShardGump->SelectShard(id);
    }
    void SortShards(CScrollChoiceGump* list, int key) override { login::SortShardRows(list, key); }
    // Called by the closing list itself.
    void ShardListCancelled() override {
        if (!pShardGump) return;
        pShardGump->ForgetList();
        pShardGump->ShardBackToMainMenu();
    }
};

}  // namespace

void InstallLoginScreens() {
    static Screens screens;
    tw::Service<LoginScreens>::Install(&screens);
    tw::Service<LoginService>::Install(&screens);
    tw::Service<ShardChoice>::Install(&screens);
    tw::Service<LoginCompletionHold>::Install(&screens);
}
