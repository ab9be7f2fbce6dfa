// The player's status and paperdoll gumps as war mode changes reach them.
// Only what its callers use so far is declared here.
#pragma once

#include "TWTypes.h"

// Refreshes every open status gump of the player.
void RefreshPlayerStatusGumps();
// Sets the war/peace toggle of the player's paperdoll: gump art 2024-2026 in
// war, 2021-2023 in peace (normal, pressed, hover).
void ShowPaperdollWarMode(BOOL war);
