#include "fuzz/ResourceFuzz.h"

#include <sys/stat.h>

#include "FileManager.h"
#include "app/App.h"
#include "config/Config.h"
#include "fuzz/FuzzSupport.h"
#include "resources/DHDCache.h"
#include "support/datafiles/DataFiles.h"
#include "world/ObjectManager.h"

// The owners of the patch groups that the resources do not hold themselves.
// Each reads every byte it is handed.
void CObjectManager::PatchTileDataGroup(int, const M_BYTE* records, int length) {
    tw::fuzz::Touch(records, length);
}

namespace tw::fuzz {

unsigned Touch(const unsigned char* p, int size) {
    unsigned sum = 0;
    for (int i = 0; p && i < size; ++i) sum += p[i];
    return sum;
}

void StartResourceCache(bool cdInstall) {
    using namespace tw::datafiles;
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
