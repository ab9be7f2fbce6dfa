// The spellbook and its spell table.  Only what its callers use so far is
// declared here (DialogsService).
#pragma once

#include "dialogs/Dialogs.h"

constexpr int SPELL_TABLE_SIZE = 64;

// The table text of spell s (0-63): its name followed by its words of power
// in parentheses; null for a spell outside the table.
inline const char* GetSpellTableName(int spell) {
    return dialogs::Service().GetSpellTableName(spell);
}
