// The macro engine's state on its own, so that reading the macro file does
// not bring the actions along.
#include "app/Macros.h"

MacroEngineState g_macroState;
int LastSpellCast = -1;
