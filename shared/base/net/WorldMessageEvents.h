// What the handlers of the world's server messages ask of the modules above
// the network core.
//
// The handlers feed the world model directly (world/), but some of their
// effects belong to higher modules: the application object (world reset,
// war mode, the in-world flag, the window title), the gump framework (gumps
// opened by id, missiles, the gumps the death menu and entering the world
// close, system messages) and the game dialogs (status, skill, shop,
// spellbook, container, radar and course gumps).  Each of those modules
// implements its interface here (until it is built, its stand-in in
// shared/base/pending/ does) and main installs them at start-up; tests
// install recording doubles.  Operations keep the names of the operations
// they stand for.
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "world/Coords.h"

class CContainerObj;
class CDynamicObj;
class CItemObj;
class CMobile;
class CObj;
struct StatusRecord;

// The application object.
class WorldMessageApp {
public:
    static constexpr const char* kServiceName = "WorldMessageApp";
    virtual ~WorldMessageApp() = default;

    virtual void ResetWorldState() = 0;
    virtual void ClearBackBuffer() = 0;
    // Sets the in-world flag (keep-alive, desktop save).
    virtual void SetInWorld() = 0;
    virtual void SetWarMode(int mode) = 0;
    virtual void ApplyWarMode(int mode) = 0;
    // The three fight-mode settings the client sends with its own war mode.
    virtual void SetFightModes(int first, int second, int third) = 0;
    // The client version text of the version manager.
    virtual const char* GetVersionText() = 0;
    virtual void SetWindowTitle(const char* title) = 0;
    // The character in play and the shard, as the login screens hold them.
    virtual const char* GetCurrentCharacterName() = 0;
    virtual const char* GetCurrentShardName() = 0;
    // The game clock (0x5B), stored as it comes.
    virtual void SetGameClock(int hour, int minute, int step) = 0;
    // The server's target request: the target cursor on, and the play
    // area's pick answered by PacketManager::SendTargetResponse.
    virtual void BeginServerTarget() = 0;
    // CApp::EndTarget: the target cursor off.
    virtual void EndTarget() = 0;
};

// The gump framework.
class WorldMessageGumps {
public:
    static constexpr const char* kServiceName = "WorldMessageGumps";
    virtual ~WorldMessageGumps() = default;

    // CGumpManager::OpenGump(object, id, no parent, flag).
    virtual void OpenGump(CObj* object, int id, int flag) = 0;
    // One moving effect: fixedDirection keeps its art unrotated, arrival
    // makes a follow-on effect at the target.
    virtual void LaunchMissileObjToObj(int graphic, CObj* source, CObj* target, int speed,
                                       int fixedDirection, int arrival) = 0;
    virtual void LaunchMissileObjToPos(int graphic, CObj* source, Coords target, int speed,
                                       int fixedDirection, int arrival) = 0;
    virtual void LaunchMissilePosToObj(int graphic, Coords source, CObj* target, int speed,
                                       int fixedDirection, int arrival) = 0;
    virtual void LaunchMissilePosToPos(int graphic, Coords source, Coords target, int speed,
                                       int fixedDirection, int arrival) = 0;
    virtual void CloseFlaggedGumps() = 0;
    // The death menu: the waiting gump alone, or (everything) the drag gump,
    // the waiting gump and every speech gump.
    virtual void CloseDeathMenuGumps(BOOL everything) = 0;
    virtual void CloseDragGump() = 0;
    virtual void AddSystemMessage(int hue, int font, const char* text) = 0;
    // Entering the world: the gump manager's login value is cleared and the
    // gumps of the login and character screens are closed and forgotten.
    virtual void CloseLoginGumps() = 0;
};

// The game dialogs.
class WorldMessageDialogs {
public:
    static constexpr const char* kServiceName = "WorldMessageDialogs";
    virtual ~WorldMessageDialogs() = default;

    // Every open status gump of the mobile is refreshed.
    virtual void RefreshStatusGumps(CMobile* mobile) = 0;
    // Every status gump of the serial takes the record (and opens its rename
    // editor when allowed) and is refreshed.
    virtual void ShowStatus(M_DWORD serial, const StatusRecord& record, BOOL renameAllowed) = 0;
    // Every shop gump takes the player's gold and redraws its bill.
    virtual void SetShopGold(M_WORD gold) = 0;
    // The target gumps of the serial take vital pair 1.
    virtual void UpdateTargetGumps(M_DWORD serial, int current, int maximum) = 0;
    // The first status gump of the mobile takes the vital pairs whose bits
    // are set in mask (bit 0 for pair 1) and is refreshed.
    virtual void UpdateStatusVitals(CMobile* mobile, int mask, const M_WORD current[3],
                                    const M_WORD maximum[3]) = 0;
    // Before a container's contents arrive: a shop gump of its holder closes.
    virtual void CloseHolderShopGump(CContainerObj* container) = 0;
    // After they arrived: a spellbook gump is redrawn, a container gump adds
    // the contents over its whole area.
    virtual void ShowContainerContents(CContainerObj* container) = 0;
    // The container's open gump is redrawn; FALSE when none is open.
    virtual BOOL RedrawContainerGump(CContainerObj* container) = 0;
    // A spellbook gump at (-1, -1) for the object, in the top-level list.
    virtual void OpenSpellBook(CDynamicObj* object) = 0;
    virtual void CloseRadarGump() = 0;
    // A skill changed (ShowSkillChange before the value is stored, then a
    // redraw of an open skill gump); a list of skills arrived (command 0 or
    // 1), read back from the skill tables of net/WorldMessageState.h.
    virtual void ShowSkillChange(int index, int value) = 0;
    virtual void RedrawSkillGump() = 0;
    virtual void SkillListArrived(int command) = 0;
    // The vendor's shop gumps: action 1 resets and redraws them, 0 closes.
    virtual void UpdateShopGumps(CMobile* vendor, int action) = 0;
    virtual void OpenCourseGump(CItemObj* map, int art, const M_WORD words[6]) = 0;
    // TargetManager: the mobile picked becomes the last target; the
    // server's target (0xAA) opens its target gump.
    virtual void SetLastTarget(CObj* mobile) = 0;
    virtual void SetServerTarget(M_DWORD serial) = 0;
};

namespace net {
inline WorldMessageApp& App() {
    return tw::Service<WorldMessageApp>::Get();
}
inline WorldMessageGumps& Gumps() {
    return tw::Service<WorldMessageGumps>::Get();
}
inline WorldMessageDialogs& Dialogs() {
    return tw::Service<WorldMessageDialogs>::Get();
}
}  // namespace net
