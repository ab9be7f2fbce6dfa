// The screen places of minimized gumps and spell icons: one table for the
// process, so that no two icons are handed the same place.
#pragma once

#include "TWTypes.h"

class CGump;

// The first free place, column by column from the top left: x = 16, 112,
// ... while x < screen width - 112, and in each column y = 16, 80, ...
// while y < screen height - 80.  It is entered in the table and returned;
// when every place is taken, FALSE and the outputs are left alone.
BOOL AllocMinimizedPosition(int* x, int* y);
// Gives the gump's assigned place back (the first equal entry leaves the
// table).  The gump keeps it as its assigned place.
void ReleaseMinimizedPosition(CGump* gump);
// Empties the table (tests).
void ResetMinimizedPositions();
