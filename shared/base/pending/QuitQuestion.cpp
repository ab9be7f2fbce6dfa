#include "login/QuitQuestion.h"

#include "pending/Pending.h"

BOOL IsQuitQuestionOpen() {
    return FALSE;
}

void OpenQuitQuestion(const char*) {
    TW_PENDING("OpenQuitQuestion");
}
