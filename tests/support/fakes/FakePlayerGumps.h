// Records what war mode changes ask of the player's status and paperdoll
// gumps.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// "RefreshStatus", "PaperdollWar <0|1>" per call.
std::vector<std::string>& PlayerGumpCalls();
}  // namespace tw::fake
