#include "AppServices.h"

#include "Service.h"
#include "comm/AppSpeech.h"
#include "view/InputLineRedraw.h"

void InstallAppServices() {
    tw::Service<AppSpeech>::Install(&ApplicationSpeech());
    tw::Service<InputLineRedraw>::Install(&ApplicationInputLine());
}
