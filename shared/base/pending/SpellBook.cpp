#include "dialogs/SpellBook.h"

#include "pending/Pending.h"

const char* GetSpellTableName(int) {
    TW_PENDING("CSpellBookGump::GetSpellTableName");
    return nullptr;
}
