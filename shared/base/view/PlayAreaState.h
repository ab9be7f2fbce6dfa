// What the play-area gump and the path walker share inside the view.
#pragma once

#include "TWTypes.h"

class PlayAreaSession;

namespace playarea {

// The application's target cursor, or null while none is installed.
PlayAreaSession* Session();
// A target cursor is up and waits for a pick.
bool Targeting();
// The walking module has steps it has not heard back about, or waits for
// the server to set the player's position again.
bool WalkBusy();
// The criminal-warning switch: set at start, cleared for good once a
// mobile's state value above 99 was read.
bool CriminalWarning();
// The path walker: drops the route it keeps (a new path was handed over,
// or the nodes were freed).
void ForgetRoute();
// Test support: no route, the warning switch set, nothing highlighted.
void reset();

}  // namespace playarea
