// Installs every stand-in at once: the tests and fuzz targets that run code
// reaching the services that are not built yet.
#include "pending/PendingServices.h"

void InstallPendingServices() {
    InstallPendingGumpFramework();
    InstallPendingGumpServices();
    InstallPendingGumpManager();
    InstallPendingMouseManager();
    InstallPendingTextManager();
    InstallPendingInputWindow();
    InstallPendingWorldView();
    InstallPendingMapGump();
    InstallPendingWeather();
    InstallPendingLogin();
    InstallPendingDialogs();
    InstallPendingComm();
    InstallPendingTargetMessages();
}
