// What the application object asks of a world object that the player
// picked with a target cursor.  Only what its callers use so far is declared
// here.
#pragma once

#include "TWTypes.h"

class CDrawItem;

// The object's cell (locX, locY) and height.
void GetObjectLocation(CDrawItem* object, int* x, int* y, int* z);
// TRUE for a mobile (the player included).
BOOL IsMobileObject(CDrawItem* object);
// The server's serial of a dynamic object; 0 for a map static.
M_DWORD GetObjectSerial(CDrawItem* object);
