// The skill list of the skill data files ("skills.idx"/"skills.mul", items
// 0-48): per skill a flag byte (bit 0: the skill can be used by the
// "UseSkill" action) and its name.  Character creation offers and names
// skills from it; the skill gump and the macros share it.
//
// Entry i is item i, so that an entry's index is the skill number the
// server knows; an absent item leaves its entry empty.  The order array
// lists the present entries sorted by name.
#pragma once

#include "TWTypes.h"

struct SkillTextList {
    static constexpr int kMaxSkills = 49;
    static constexpr int kNameSize = 80;

    M_BYTE flags[kMaxSkills] = {};
    char names[kMaxSkills][kNameSize] = {};
    BOOL present[kMaxSkills] = {};
    int count = 0;  // present entries
    M_BYTE order[kMaxSkills + 1] = {};
};

extern SkillTextList g_skillList;

// Reads the list anew from the data files.
void LoadTextList();

// The name of skill index i, or "" for an index outside the list or an
// absent entry (an unknown skill of the profession file is -1).
const char* SkillListName(int index);
