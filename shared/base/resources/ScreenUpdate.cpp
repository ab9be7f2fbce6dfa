// The graphic manager's screen update, which the view installs.  It stands in
// a file of its own so that a test may define the update itself.
#include "resources/ScreenUpdate.h"

#include "Service.h"
#include "resources/GraphicManager.h"

void GraphicManager::UpdateScreen() {
    tw::Service<ScreenUpdate>::Get().UpdateScreen();
}
