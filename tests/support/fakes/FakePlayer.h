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
};

PlayerState& Player();

}  // namespace tw::fake
