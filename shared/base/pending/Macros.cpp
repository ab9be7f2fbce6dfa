#include "app/Macros.h"
#include "app/App.h"
#include "pending/Pending.h"

CMacro* g_macroList = nullptr;

void CApp::RunMacro(int) {
    TW_PENDING("CApp::RunMacro");
}
void CApp::MacroTick() {
    TW_PENDING("CApp::MacroTick");
}

void CApp::LoadMacros() {
    TW_PENDING("CApp::LoadMacros");
}
