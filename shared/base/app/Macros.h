// Macros: a key with its Control, Alt and Shift state bound to up to 10
// actions.  Only what the event pump reads so far is declared here.
#pragma once

#include "TWTypes.h"

struct CMacroAction {
    int action = 0;
    int argument = 0;
    char* text = nullptr;
};

struct CMacro {
    M_DWORD keyCode = 0;  // virtual-key code by the event pump's tables
    M_DWORD keySym = 0;   // X keysym with bit 30 set
    M_DWORD control = 0;
    M_DWORD alt = 0;
    M_DWORD shift = 0;
    M_DWORD actionCount = 0;
    CMacroAction actions[10];
    CMacro* next = nullptr;
};

// The macros in file order.
extern CMacro* g_macroList;
