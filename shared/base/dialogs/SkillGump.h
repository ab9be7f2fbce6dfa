// The skill gump and its tables: the skill names that the server sent.  Only
// what its callers use so far is declared here.
#pragma once

// The number of skill names received, and the name at an index (null when
// the index names no skill).
int GetSkillNameCount();
const char* GetSkillName(int index);

// Notes that the skill list was asked for, so that the skill gump opens when
// it arrives.
void NoteSkillListRequested();
