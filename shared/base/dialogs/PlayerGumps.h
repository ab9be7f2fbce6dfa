// The player's status and paperdoll gumps as war mode changes reach them.
// Only what its callers use so far is declared here (DialogsService).
#pragma once

#include "dialogs/Dialogs.h"

// Refreshes every open status gump of the player.
inline void RefreshPlayerStatusGumps() {
    dialogs::Service().RefreshPlayerStatusGumps();
}
// Sets the war/peace toggle of the player's paperdoll: gump art 2024-2026 in
// war, 2021-2023 in peace (normal, pressed, hover).
inline void ShowPaperdollWarMode(BOOL war) {
    dialogs::Service().ShowPaperdollWarMode(war);
}
