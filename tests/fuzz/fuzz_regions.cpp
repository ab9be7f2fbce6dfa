// "regions.mul" in any of its layouts, over arbitrary bytes.
#include <cstdint>
#include <cstdio>

#include "fuzz/FuzzSupport.h"
#include "world/RegionManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    FILE* f = fopen("regions.mul", "wb");
    if (!f) return 0;
    if (size) fwrite(data, 1, size, f);
    fclose(f);
    RegionManager::startup();
    int found = 0;
    for (int slot = 0; slot < RegionManager::MAX_REGIONS; ++slot)
        if (const RegionRecord* r = RegionManager::GetRegion(slot))
            found += r->Contains(r->x, r->y, r->lowZ);
    return found < 0;
}
