// The macro list on its own: the event pump's tests supply their own list.
#include "app/Macros.h"

CMacro* g_macroList = nullptr;
