// Running a whole macro at once, as the event pump does for a macro key.
#include "app/App.h"
#include "app/Macros.h"

void CApp::RunMacro(int index) {
    CMacro* macro = GetMacro(index);
    if (!macro) return;
    M_DWORD count = macro->actionCount < MAX_MACRO_ACTIONS ? macro->actionCount : MAX_MACRO_ACTIONS;
    for (M_DWORD i = 0; i < count; ++i) ExecuteMacro(macro, static_cast<int>(i));
}
