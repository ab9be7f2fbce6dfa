// The screen queries of the object model, which need the world view's
// screen rectangles: nothing is on screen until the view exists.
#include "world/ObjectQueries.h"
#include "pending/Pending.h"

int GetMobilesOnScreen(CObj**, int) {
    TW_PENDING("GetMobilesOnScreen");
    return 0;
}

int GetCorpsesOnScreen(CObj**, int) {
    TW_PENDING("GetCorpsesOnScreen");
    return 0;
}
