#include "login/QuitQuestion.h"

#include "pending/Pending.h"

BOOL IsQuitQuestionOpen() {
    TW_PENDING("IsQuitQuestionOpen");
    return FALSE;
}

void OpenQuitQuestion(const char*) {
    TW_PENDING("OpenQuitQuestion");
}
