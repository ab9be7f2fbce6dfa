// Stand-in of the word filter: the one listed word is "darn", replaced by
// "!@#$" in either filter; every call is recorded.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// "8: <text after>" or "16: <text after, units from 128 as \u{XXXX}>".
std::vector<std::string>& WordFilterCalls();
}  // namespace tw::fake
