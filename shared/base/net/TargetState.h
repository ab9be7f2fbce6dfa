// The target cursor the server asked for and the last target the player
// picked (connection lifetime).  The target messages fill them; the target
// reply and the macros read them.
#pragma once

#include "TWTypes.h"

// The pending request: cursor id, target type and cursor flag of 0x6C.
extern M_DWORD g_targetCursorId;
extern M_BYTE g_targetType;
extern M_BYTE g_targetCursorFlag;

// The last target: kind 1 a mobile or dynamic object (serial), 2 the ground,
// 3 static art (position and graphic); 0 none.
struct LastTargetRecord {
    int kind = 0;
    M_DWORD serial = 0;
    int x = 0;
    int y = 0;
    int z = 0;
    M_WORD graphic = 0;
};
extern LastTargetRecord g_lastTarget;

// The mobile the server names as the player's current target (0xAA), by
// serial; 0 none.  The world view draws it in its notoriety hue.
extern M_DWORD g_serverTargetSerial;

// Forgets the request and the last target.
void ResetTargetState();
