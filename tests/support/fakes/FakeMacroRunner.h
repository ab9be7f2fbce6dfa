// Records the macro loading and running that the code under test asks for.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// Every call in order: "LoadMacros", "RunMacro <index>", "MacroTick".
std::vector<std::string>& MacroCalls();
}  // namespace tw::fake
