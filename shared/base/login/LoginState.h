// What the modules around the login screens ask of them: the main menu,
// the names of the character in play and of its shard, the quit question.
// The screens (login/FrontEnd.h) implement LoginService and
// InstallLoginScreens installs it; callers use the free functions below.
// The network core reaches the names through net/ConnectionEvents.h.
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

// Entering the world waits while the front end is still on screen: the
// login-complete message hands the rest of its work to the front end, which
// runs it when the player presses the control that it gave the work to, or
// when the world's arrival closes the front end.  The screens install it.
class LoginCompletionHold {
public:
    static constexpr const char* kServiceName = "LoginCompletionHold";
    virtual ~LoginCompletionHold() = default;
    // TRUE when the front end holds complete; FALSE when nothing holds it
    // back and the caller runs it now.
    virtual BOOL DeferLoginCompletion(void (*complete)()) = 0;
};
