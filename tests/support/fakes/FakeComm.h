// Stand-in of the communication dialogs: texts over objects attach
// themselves to their object as the real ones do and keep what they were
// made with; bulletin-board removals are recorded.
#pragma once

#include <string>
#include <vector>

#include "comm/BarkGump.h"

namespace tw::fake {

struct BarkState {
    // Kinds by text gump; a gump not listed is of kind 0.
    std::vector<std::pair<const CBarkGump*, int>> kinds;
    int made = 0;
    int deleted = 0;
    int follows = 0;
    int arranges = 0;
    std::vector<const void*> boardRemovals;
};
BarkState& Barks();

// The texts attached to an object, newest first.
std::vector<std::string> TextsOf(const CObj* object);

}  // namespace tw::fake
