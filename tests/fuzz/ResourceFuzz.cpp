#include "fuzz/ResourceFuzz.h"

#include <sys/stat.h>

#include "FileManager.h"
#include "Service.h"
#include "app/App.h"
#include "app/Config.h"
#include "fuzz/FuzzSupport.h"
#include "resources/DHDCache.h"
#include "resources/PatchOwners.h"
#include "support/datafiles/DataFiles.h"

namespace tw::fuzz {

namespace {

// The owner of the tile-data patch groups reads every byte it is handed.
class TouchingPatchOwners final : public PatchOwners {
public:
    void PatchTileDataGroup(int, const M_BYTE* records, int length) override {
        Touch(records, length);
    }
};

}  // namespace

unsigned Touch(const unsigned char* p, int size) {
    unsigned sum = 0;
    for (int i = 0; p && i < size; ++i) sum += p[i];
    return sum;
}

void StartResourceCache(bool cdInstall) {
    using namespace tw::datafiles;
    EnterScratchDir();
    static TouchingPatchOwners owners;
    tw::Service<PatchOwners>::Install(&owners);
    mkdir("cd", 0755);
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i) {
        std::string name = CDHDCache::GetFileName(i);
        bool onCD = cdInstall && (i == FN_ARTIDX || i == FN_ART);
        WriteBytes(onCD ? "cd/" + name : name, Bytes(i == FN_MAP0 ? 3 * 196 : 24, 0x11));
    }
    CApp::hdConfig = cdInstall ? CApp::CDInstall : CApp::MaxHD;
    CacheSize = 1;
    snprintf(CdRomDataPath, sizeof CdRomDataPath, "cd/");
    FileManager::startup();
    CDHDCache::startup();
    CDHDCache::Init();
}

}  // namespace tw::fuzz
