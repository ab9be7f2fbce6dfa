#include "view/ViewServices.h"

#include "Service.h"
#include "config/ConfigHooks.h"

void InstallViewServices() {
    tw::Service<ConfigHooks>::Install(&ViewConfigHooks());
}
