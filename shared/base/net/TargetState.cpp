#include "net/TargetState.h"

M_DWORD g_targetCursorId = 0;
M_BYTE g_targetType = 0;
M_BYTE g_targetCursorFlag = 0;
LastTargetRecord g_lastTarget;
M_DWORD g_serverTargetSerial = 0;

void ResetTargetState() {
    g_targetCursorId = 0;
    g_targetType = 0;
    g_targetCursorFlag = 0;
    g_lastTarget = LastTargetRecord{};
    g_serverTargetSerial = 0;
}
