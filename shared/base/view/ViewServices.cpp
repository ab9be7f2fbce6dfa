#include "view/ViewServices.h"

#include "Service.h"
#include "config/ConfigHooks.h"
#include "gumps/GumpHooks.h"
#include "gumps/MouseManager.h"
#include "gumps/Sequence.h"
#include "net/EffectMessages.h"
#include "resources/PatchOwners.h"
#include "resources/ScreenUpdate.h"
#include "view/MouseCursor.h"
#include "world/ViewHooks.h"

void InstallViewServices() {
    tw::Service<ConfigHooks>::Install(&ViewConfigHooks());
    tw::Service<PatchOwners>::Install(&ViewDataFileOwners());
    tw::Service<ScreenUpdate>::Install(&ViewScreenUpdate());
    tw::Service<DrawLists>::Install(&ViewDrawListsService());
    tw::Service<MapAccess>::Install(&ViewMapAccessService());
    tw::Service<ViewLight>::Install(&ViewLightService());
    tw::Service<CircleOfTransparency>::Install(&ViewCircleService());
    tw::Service<EffectMessages>::Install(&ViewEffectMessages());
    tw::Service<SequenceEffects>::Install(&ViewSequenceEffects());
    InstallPlayArea();
    InstallDragGump();
    tw::Service<MouseCursorService>::Install(&ViewMouseCursor());
    tw::Service<GumpScreen>::Install(&ViewGumpScreen());
}
