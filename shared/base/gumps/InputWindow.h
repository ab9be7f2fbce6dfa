// CInputWindow: the speech input line.  Only what its callers use so far is
// declared here.
#pragma once

#include "TWTypes.h"

class CInputWindow {
public:
    CInputWindow();
    ~CInputWindow();
    CInputWindow(const CInputWindow&) = delete;
    CInputWindow& operator=(const CInputWindow&) = delete;

    // Walk-key mode and line recall; 0 for keys it does not take.
    static int HandleSpecialKey(int code, M_DWORD extendedKeySym);
};

// The speech input line that main creates and deletes.
extern CInputWindow* g_inputWindow;
