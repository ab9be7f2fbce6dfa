// The stand-ins of what the gump framework asks of the modules above it
// (gumps/GumpHooks.h): the dialogs it opens, the world view's screen, and
// the application and front end.  main installs them at start-up, before
// the gump manager starts; a module that gets built installs its own.
#pragma once

void InstallPendingGumpServices();
