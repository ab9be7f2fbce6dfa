// The framework's globals that the rest of the client reads: the active
// gump and the head of the top-level list (the teardown flag is the world
// model's, world/Obj.h).
#include "gumps/Gump.h"

CGump* g_focusGump = nullptr;
CGump* g_gumpList = nullptr;
