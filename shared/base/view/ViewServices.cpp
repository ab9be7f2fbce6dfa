#include "view/ViewServices.h"

#include "Service.h"
#include "config/ConfigHooks.h"
#include "resources/PatchOwners.h"
#include "resources/ScreenUpdate.h"

void InstallViewServices() {
    tw::Service<ConfigHooks>::Install(&ViewConfigHooks());
    tw::Service<PatchOwners>::Install(&ViewDataFileOwners());
    tw::Service<ScreenUpdate>::Install(&ViewScreenUpdate());
}
