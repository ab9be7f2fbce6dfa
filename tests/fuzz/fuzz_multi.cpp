// Multi records over arbitrary bytes: a definition in "multi.mul" loaded
// into a component list and placed, and the same bytes as the server's
// records converted to host order.
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/App.h"
#include "config/Config.h"
#include "fuzz/WorldFuzz.h"
#include "resources/DHDCache.h"
#include "support/datafiles/DataFiles.h"
#include "world/MultiManager.h"
#include "world/Obj.h"

namespace {

void StartCache() {
    using namespace tw::datafiles;
    tw::fuzz::StartWorld(nullptr, 0);
    for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
        WriteBytes(CDHDCache::GetFileName(i), Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
    hdConfig = MaxHD;
    CacheSize = 1;
    CDHDCache::startup();
    CDHDCache::Init();
}

// Multi 0 is the input.
void WriteDefinition(const uint8_t* data, size_t size) {
    using namespace tw::datafiles;
    CDHDCache::UnmapFile(FN_MULTIIDX);
    CDHDCache::UnmapFile(FN_MULTI);
    IndexedPair pair;
    pair.add(0, Bytes(data, data + size));
    pair.write("multi.idx", "multi.mul");
    CDHDCache::RemapFile(FN_MULTIIDX);
    CDHDCache::RemapFile(FN_MULTI);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (StartCache(), true);
    (void)started;

    unsigned sum = 0;
    M_BYTE* block = ConvertMultiRecords(data, static_cast<int>(size));
    for (size_t i = 0; block && i < size; ++i) sum += block[i];
    delete[] block;

    WriteDefinition(data, size);
    CDynamicObj* object = NewDynamicObj(0x40000001, 1, 0);
    const int x = size ? data[0] : 0;
    SetObjectMulti(object, 1000 + x, 1000, 0, 0);
    SetObjectMulti(object, 1001 + x, 1000, 5, 0);
    if (object->multi)
        for (MultiComponentNode* n = object->multi->first; n; n = n->next) sum += n->object->locX;
    object->Release();
    return sum == 0xFFFFFFFF;
}
