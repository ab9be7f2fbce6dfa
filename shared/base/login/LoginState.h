// The login screens and the character creation: the main menu, account
// login, shard and character choice, the quit question.  They sit above the
// world view and below the game dialogs.  None of it is built yet: what
// callers use so far is declared as the installed LoginService, with free
// functions of the names callers use; main installs the stand-in of
// shared/base/pending/ at start-up.  The network core reaches the names
// below through net/ConnectionEvents.h.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CMainMenuGump;

class LoginService {
public:
    static constexpr const char* kServiceName = "LoginScreens";
    virtual ~LoginService() = default;
    // The front end's main menu (login/MainMenuGump.h).
    virtual CMainMenuGump* MakeMainMenuGump() = 0;
    virtual const char* GetCurrentCharacterName() = 0;
    virtual const char* GetCurrentShardName() = 0;
    virtual BOOL IsQuitQuestionOpen() = 0;
    virtual void OpenQuitQuestion(const char* text) = 0;
};

// The name of the character in play as the character list holds it (empty
// when its slot has none), and the current shard's name (empty when none is
// set).
inline const char* GetCurrentCharacterName() {
    return tw::Service<LoginService>::Get().GetCurrentCharacterName();
}
inline const char* GetCurrentShardName() {
    return tw::Service<LoginService>::Get().GetCurrentShardName();
}
