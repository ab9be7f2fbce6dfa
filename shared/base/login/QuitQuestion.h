// The quit question of the game: a yes/no gump whose yes ends the program.
// Only what its callers use so far is declared here.
#pragma once

#include "TWTypes.h"

// A quit question is on screen.
BOOL IsQuitQuestionOpen();
// Opens the yes/no gump with the question text.
void OpenQuitQuestion(const char* text);
