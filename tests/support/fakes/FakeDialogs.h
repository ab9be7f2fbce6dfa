// Stand-in of the game dialogs the world model tells about objects: every
// call is recorded as text in order ("AddToGump <gump> <object>", ...), with
// the gump and object addresses replaced by the names a test gives them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "TWTypes.h"

namespace tw::fake {

struct DialogState {
    std::vector<std::string> calls;
    // Names for addresses in the call texts; unnamed ones show as "?".
    std::map<const void*, std::string> names;
    M_DWORD tradeSerial = 0;  // what CTradeGump::GetTradeSerial answers
};
DialogState& Dialogs();

// The name of an address as the call texts show it.
std::string NameOf(const void* p);

}  // namespace tw::fake
