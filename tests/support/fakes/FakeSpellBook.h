// Stand-in of the spellbook's spell table: tests set the table texts.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// Table texts by spell number ("Name (Words)"); emptied between tests.
std::vector<std::string>& SpellTableNames();
}  // namespace tw::fake
