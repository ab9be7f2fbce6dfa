// Stand-in of the player object: records what is done to it and answers
// what tests set.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {

struct PlayerState {
    // "Player <serial>" when made, "ClearResetState".
    std::vector<std::string> calls;
    bool ghost = false;
    bool inDrawList = false;
    // The follow flag; StopFollowing clears it and records "StopFollowing".
    bool following = false;
};

PlayerState& Player();

}  // namespace tw::fake
