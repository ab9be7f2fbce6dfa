// The game dialogs: containers, paperdoll, status, skills, shops, trade,
// books, targeting, maps, options and the hue picker.  They sit above the
// login screens and below the communication dialogs.  What the world model
// tells the dialog gumps reaches them through the gump framework's virtual
// operations (gumps/Gump.h).  None of the dialogs is built yet: what callers
// use so far is declared as the installed DialogsService, with functions of
// the names callers use in each dialog's header; main installs the stand-in
// of shared/base/pending/ at start-up.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CObj;

class DialogsService {
public:
    static constexpr const char* kServiceName = "GameDialogs";
    virtual ~DialogsService() = default;
    // The skill gump's tables (dialogs/SkillGump.h).
    virtual int GetSkillNameCount() = 0;
    virtual const char* GetSkillName(int index) = 0;
    virtual void NoteSkillListRequested() = 0;
    // The spellbook's table (dialogs/SpellBook.h).
    virtual const char* GetSpellTableName(int spell) = 0;
    // The target bars (dialogs/TargetManager.h).
    virtual void SetLastTarget(CObj* mobile) = 0;
    // The player's status and paperdoll gumps (dialogs/PlayerGumps.h).
    virtual void RefreshPlayerStatusGumps() = 0;
    virtual void ShowPaperdollWarMode(BOOL war) = 0;
    // The text query, the hue picker and the name request a text query
    // keeps (dialogs/QueryGumps.h).
    virtual void OpenStringQuery(M_DWORD serial, M_WORD queryId, const char* prompt, int flag,
                                 int style, M_DWORD limit, const char* description) = 0;
    virtual void OpenHuePicker(M_DWORD serial, M_WORD echo, M_WORD itemArt) = 0;
    virtual BOOL AnswerNameRequest(const char* name) = 0;
};

namespace dialogs {
inline DialogsService& Service() {
    return tw::Service<DialogsService>::Get();
}
}  // namespace dialogs
