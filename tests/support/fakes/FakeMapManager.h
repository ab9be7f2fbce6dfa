// Stand-in of the map manager's distance and of the player's position.
#pragma once

#include "world/Coords.h"

namespace tw::fake {
// Where GetPlayerCoords puts the player; no player until set.
void SetPlayerCoords(Coords where);
// How often MapManager::Reset ran.
int& MapResetCalls();
}  // namespace tw::fake
