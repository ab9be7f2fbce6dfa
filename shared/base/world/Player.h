// CPlayer: the player's own mobile (declared with the mobiles in
// world/Mobile.h) and the process-wide pointer to it.
#pragma once

#include "world/Mobile.h"
#include "world/ObjectManager.h"
