// Stand-ins of what the message-service records read from the login screens
// and open in the mail windows.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {

struct MessageServiceNeighbours {
    // What the login screens answer.
    std::string characterName;
    std::string shardName;
    // Every OpenHelpMailGump call: its subject narrowed to 8 bits.
    std::vector<std::string> helpMailWindows;
};

MessageServiceNeighbours& MessageService();

}  // namespace tw::fake
