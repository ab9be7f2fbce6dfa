// The player's position for the services below the world model.
#include "world/Coords.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

int GetPlayerCoords(Coords* where) {
    if (!pPlayerObject || !where) return 0;
    *where = Coords(pPlayerObject->locX, pPlayerObject->locY, pPlayerObject->z);
    return 1;
}
