#include "net/WorldMessageState.h"

#include "net/WorldHandlers.h"

namespace worldmsg {

StatusRecord status;
MapArea mapArea;
SkillTables skills;
M_DWORD lastPlayerSerial = 0;
M_DWORD value2F = 0;
BOOL containerBatch = FALSE;

void reset() {
    status = StatusRecord();
    mapArea = MapArea();
    skills = SkillTables();
    lastPlayerSerial = 0;
    value2F = 0;
    containerBatch = FALSE;
    ResetPlayerAttributes();
}

}  // namespace worldmsg

void InstallWorldHandlers() {
    RegisterObjectHandlers();
    RegisterPlayerHandlers();
    RegisterExtendedHandler();
    RegisterDataUpdateHandlers();
    RegisterWarModeHandlers();
    RegisterAnimationHandler();
}
