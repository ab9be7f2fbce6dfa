// The skill gump and its tables: the skill names that the server sent.  Only
// what its callers use so far is declared here (DialogsService).
#pragma once

#include "dialogs/Dialogs.h"

// The number of skill names received, and the name at an index (null when
// the index names no skill).
inline int GetSkillNameCount() {
    return dialogs::Service().GetSkillNameCount();
}
inline const char* GetSkillName(int index) {
    return dialogs::Service().GetSkillName(index);
}

// Notes that the skill list was asked for, so that the skill gump opens when
// it arrives.
inline void NoteSkillListRequested() {
    dialogs::Service().NoteSkillListRequested();
}
