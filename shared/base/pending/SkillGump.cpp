#include "dialogs/SkillGump.h"

#include "pending/Pending.h"

int GetSkillNameCount() {
    TW_PENDING("CSkillGump::GetSkillNameCount");
    return 0;
}

const char* GetSkillName(int) {
    TW_PENDING("CSkillGump::GetSkillName");
    return nullptr;
}

void NoteSkillListRequested() {
    TW_PENDING("NoteSkillListRequested");
}
