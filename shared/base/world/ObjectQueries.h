// What the application object asks of a world object that the player
// picked with a target cursor.  Only what its callers use so far is declared
// here.
#pragma once

#include "TWTypes.h"

class CDrawItem;
class CObj;

// The object's cell (locX, locY) and height.
void GetObjectLocation(CDrawItem* object, int* x, int* y, int* z);
// TRUE for a mobile (the player included).
BOOL IsMobileObject(CDrawItem* object);
// The server's serial of a dynamic object; 0 for a map static.
M_DWORD GetObjectSerial(CDrawItem* object);

// The item a mobile wears on a layer (1-29), or null.
CObj* GetEquippedItem(CObj* mobile, int layer);
// The mobiles other than the player whose screen rectangle lies in the
// gameplay window, in the object manager's order; at most max of them.  The
// screen rectangles are the world view's: it answers both.
int GetMobilesOnScreen(CObj** out, int max);
// The corpses whose screen rectangle lies in the gameplay window.
int GetCorpsesOnScreen(CObj** out, int max);
// Fills the held-item record from an item about to be picked up (serial,
// graphic, increment, amount, hue), as a pick-up by the mouse does.
void SetHeldItem(CObj* item);
// Shows a text over an object (an overhead text of kind 0).
void ShowOverheadText(CObj* object, const char* text);
