// The stand-ins of the services that are not built yet, one per service,
// and their installers.  Each stand-in implements the interfaces through
// which its service is reached (the service's own, declared in its header,
// and what the modules below ask of it), logs "<Class>::<method>: not built
// yet." the first time each operation runs, and does the least the program
// needs.  main installs each one at its place in the start-up order; tests
// and fuzz targets that run code reaching such a service install them all
// with InstallPendingServices (a test's recording double installed after it
// takes the place of one).  The work that builds a service deletes its
// stand-in here and installs the real one.
#pragma once

// What the gump framework asks of the modules above it (gumps/GumpHooks.h):
// the dialogs it opens, the application and front end.
void InstallPendingGumpServices();
// What the world's server messages ask of the gump manager that it does not
// do yet (missiles, closing the death menu's gumps).
void InstallPendingGumpManager();
// What entering the world asks of windows not built yet, the game dialogs
// and the communication dialogs (texts over objects included).
void InstallPendingWorldEntry();
void InstallPendingDialogs();
// The dialogs' button callbacks (gumps/DialogCallbacks.h); installed with
// the dialogs.
void InstallPendingDialogCallbacks();
void InstallPendingComm();
// The text box of the creation gumps' descriptions.
void InstallPendingHTMLBox();

// Every one of them, and the weather (gumps/Weather.h), which the code
// that reaches these services reaches too.
void InstallPendingServices();
