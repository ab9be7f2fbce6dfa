#include "fuzz/MultiFuzz.h"

#include "config/Config.h"
#include "fuzz/WorldFuzz.h"
#include "resources/DHDCache.h"
#include "support/datafiles/DataFiles.h"

namespace tw::fuzz {

void StartMultiCache() {
    using namespace tw::datafiles;
    StartWorld(nullptr, 0);
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
        WriteBytes(CDHDCache::GetFileName(i), Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
    hdConfig = MaxHD;
    CacheSize = 1;
    CDHDCache::startup();
    CDHDCache::Init();
}

void WriteMultiDefinition(const uint8_t* data, size_t size) {
    using namespace tw::datafiles;
    CDHDCache::UnmapFile(FN_MULTIIDX);
    CDHDCache::UnmapFile(FN_MULTI);
    IndexedPair pair;
    pair.add(0, Bytes(data, data + size));
    pair.write("multi.idx", "multi.mul");
    CDHDCache::RemapFile(FN_MULTIIDX);
    CDHDCache::RemapFile(FN_MULTI);
}

}  // namespace tw::fuzz
