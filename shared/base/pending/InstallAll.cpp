// Installs every stand-in at once, with the built services that replaced
// stand-ins (the text manager, the barks, the speech line, the weather,
// the login screens, character creation, the play area and the drag gump,
// the target answers, the play area's questions): the tests and fuzz
// targets that run code reaching the services that are not built yet.
#include "gumps/Weather.h"
#include "pending/PendingServices.h"

#include "app/AppServices.h"
#include "comm/CommServices.h"
#include "login/CharCreation.h"
#include "login/FrontEnd.h"
#include "login/PlayAreaWarnings.h"
#include "net/PacketManager.h"
#include "view/ViewServices.h"

void InstallPendingServices() {
    InstallDragGump();
    InstallPendingGumpServices();
    InstallPendingGumpManager();
    InstallTextManager();
    InstallSpeechLine();
    InstallPlayArea();
    InstallPlayAreaWarnings();
    InstallWeather();
    InstallLoginScreens();
    InstallAppFrontEnd();
    InstallCharacterCreation();
    InstallPendingWorldEntry();
    InstallPendingDialogs();
    InstallPendingComm();
    InstallPendingHTMLBox();
    InstallBarkServices();
}
