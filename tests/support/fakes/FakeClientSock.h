// Stand-in of the game connection: a connection object that never
// connects; Write records each packet's wire bytes (and counts them in
// OutputLength) instead of queueing them.
#pragma once

#include <vector>

namespace tw::fake {
std::vector<std::vector<unsigned char>>& SentPackets();
}  // namespace tw::fake
