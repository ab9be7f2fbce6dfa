// The macro engine's state and the macro list, apart from the actions.
#include "app/Macros.h"

CMacro* g_macroList = nullptr;
MacroEngineState g_macroState;
int LastSpellCast = -1;
