// The mouse capture: the gump that gets the drags and the button releases
// until it lets go or closes.
#include "TWReport.h"
#include "gumps/Gump.h"
#include "gumps/MouseManager.h"

CGump* MouseManager::pCapture = nullptr;

void MouseManager::SetCapture(CGump* gump) {
    pCapture = gump;
    if (gump && !TW_VALIDATE_OBJECT(gump)) {
        TWReport::error(
            "MouseManager::SetCapture: either pointer 'pCapture' is not valid, or the data it "
            "points to is not valid. setting 'pCapture = 0'.\n");
        pCapture = nullptr;
    }
}
