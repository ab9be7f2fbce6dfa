// The framework's globals that the rest of the client reads: the active
// gump, the head of the top-level list and the teardown flag.
#include "gumps/Gump.h"

CGump* g_focusGump = nullptr;
CGump* g_gumpList = nullptr;
BOOL g_gumpTeardown = FALSE;
