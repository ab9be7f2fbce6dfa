#include "gumps/Gump.h"

CGump* g_focusGump = nullptr;
