// Recording stand-in of the speech input line.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// "SpecialKey <code> <keysym hex>" per call.
std::vector<std::string>& InputWindowCalls();
}  // namespace tw::fake
