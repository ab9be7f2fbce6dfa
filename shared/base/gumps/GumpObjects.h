// The gump base's access to the world object a gump shows (GumpObjects.cpp).
#pragma once

#include "TWTypes.h"

class CGump;
class CObj;

// The object is the player.
BOOL ObjectIsPlayer(CObj* object);
// The object forgets the gump wherever it keeps it: its open gump and the
// two further gumps, its container window, its map-pin window, its trade
// window and the chain of gumps a mobile owns.
void ForgetGumpInOwner(CGump* gump);
