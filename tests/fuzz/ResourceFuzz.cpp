#include "fuzz/ResourceFuzz.h"

#include <sys/stat.h>

#include "FileManager.h"
#include "Service.h"
#include "config/Config.h"
#include "fuzz/FuzzSupport.h"
#include "resources/DHDCache.h"
#include "resources/PatchOwners.h"
#include "support/datafiles/DataFiles.h"

namespace tw::fuzz {

namespace {

// The owners of the patch groups that the resources do not hold themselves.
// Each reads every byte it is handed.
class TouchingOwners final : public PatchOwners {
public:
    void PatchTileDataGroup(int, const M_BYTE* records, int length) override {
        Touch(records, length);
    }
    void InvalidateTerrainOfTile(int) override {}
    void ResortItemsOfTile(int) override {}
};

}  // namespace

unsigned Touch(const unsigned char* p, int size) {
    unsigned sum = 0;
    for (int i = 0; p && i < size; ++i) sum += p[i];
    return sum;
}

void StartResourceCache(bool cdInstall) {
    using namespace tw::datafiles;
    static TouchingOwners owners;
    tw::Service<PatchOwners>::Install(&owners);
    EnterScratchDir();
    mkdir("cd", 0755);
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i) {
        std::string name = CDHDCache::GetFileName(i);
        bool onCD = cdInstall && (i == FN_ARTIDX || i == FN_ART);
        WriteBytes(onCD ? "cd/" + name : name, Bytes(i == FN_MAP0 ? 3 * 196 : 24, 0x11));
    }
    hdConfig = cdInstall ? CDInstall : MaxHD;
    CacheSize = 1;
    snprintf(CdRomDataPath, sizeof CdRomDataPath, "cd/");
    FileManager::startup();
    CDHDCache::startup();
    CDHDCache::Init();
}

}  // namespace tw::fuzz
