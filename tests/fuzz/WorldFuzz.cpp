// The world-model fuzz targets' set-up: the world runs with the services
// the program installs above it (the stand-ins of the services not built
// yet, the gump framework's side of the world, the client messages, the
// application's and the view's own services).
#include "fuzz/WorldFuzz.h"

#include <cstdio>

#include "FileManager.h"
#include "Service.h"
#include "app/AppServices.h"
#include "fuzz/FuzzSupport.h"
#include "gumps/WorldGumps.h"
#include "net/WorldMessages.h"
#include "pending/PendingServices.h"
#include "support/doubles/RecordingSound.h"
#include "view/ViewServices.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace tw::fuzz {

namespace {

template <class Interface, class Implementation>
void InstallOwn() {
    static Implementation implementation;
    tw::Service<Interface>::Install(&implementation);
}

void InstallServices() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    InstallPendingServices();
    InstallOwn<ObjectGumps, WorldGumps>();
    InstallOwn<WorldMessages, GameConnectionMessages>();
    // The application's and the view's own sides: the target cursor, the
    // tile-data patches and the rest that the program installs.
    InstallAppServices();
    InstallViewServices();
}

}  // namespace

void StartWorld(const uint8_t* tiledata, size_t size) {
    EnterScratchDir();
    InstallServices();
    remove("tiledata.mul");
    if (tiledata) {
        FILE* f = fopen("tiledata.mul", "wb");
        if (f) {
            if (size) fwrite(tiledata, 1, size, f);
            fclose(f);
        }
    }
    FileManager::startup();
    CObjectManager::startup();
    // Sound: the footsteps of walking mobiles are recorded and dropped.
    static tw::doubles::RecordingSound sound;
    sound.played.clear();
    tw::Service<SoundService>::Install(&sound);
}

void StopWorld() {
    CObjectManager::reset();
    CObjectManager::shutdown();
    FileManager::shutdown();
    FileManager::reset();
}

}  // namespace tw::fuzz
