// Multi records over arbitrary bytes: a definition in "multi.mul" loaded
// into a component list and placed, and the same bytes as the server's
// records converted to host order.
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/App.h"
#include "fuzz/MultiFuzz.h"
#include "fuzz/WorldFuzz.h"
#include "world/MultiManager.h"
#include "world/Obj.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (tw::fuzz::StartMultiCache(), true);
    (void)started;

    unsigned sum = 0;
    M_BYTE* block = ConvertMultiRecords(data, static_cast<int>(size));
    for (size_t i = 0; block && i < size; ++i) sum += block[i];
    delete[] block;

    tw::fuzz::WriteMultiDefinition(data, size);
    CDynamicObj* object = NewDynamicObj(0x40000001, 1, 0);
    const int x = size ? data[0] : 0;
    SetObjectMulti(object, 1000 + x, 1000, 0, 0);
    SetObjectMulti(object, 1001 + x, 1000, 5, 0);
    if (object->multi)
        for (MultiComponentNode* n = object->multi->first; n; n = n->next) sum += n->object->locX;
    object->Release();
    return sum == 0xFFFFFFFF;
}
