// The quit question of the exit macro: a yes/no gump whose yes ends the
// program (LoginService, login/LoginState.h).
#pragma once

#include "login/LoginState.h"

// A quit question is on screen.
inline BOOL IsQuitQuestionOpen() {
    return tw::Service<LoginService>::Get().IsQuitQuestionOpen();
}
// Opens the yes/no gump with the question text.
inline void OpenQuitQuestion(const char* text) {
    tw::Service<LoginService>::Get().OpenQuitQuestion(text);
}
