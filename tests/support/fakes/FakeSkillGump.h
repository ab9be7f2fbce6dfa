// Stand-in of the skill gump's tables: tests set the skill names.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// The names the skill gump answers with; emptied between tests.
std::vector<std::string>& SkillNames();
// How often NoteSkillListRequested ran.
int& SkillListRequests();
}  // namespace tw::fake
