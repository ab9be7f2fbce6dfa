// The placement cursor's lists over arbitrary bytes: multi 0 of
// "multi.idx"/"multi.mul" is the input after its first four bytes, and the
// same bytes are an object list of as many 20-byte records as the first two
// bytes say (what arrived is all it may read).  Each list that loads is
// previewed on the ground at a cell and cleared again.  Bytes 2 and 3: the
// offsets taken off every part.
#include <cstdint>

#include "app/App.h"
#include "fuzz/MultiFuzz.h"
#include "fuzz/WorldFuzz.h"
#include "support/datafiles/DataFiles.h"
#include "world/MultiTarget.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

namespace {

unsigned Preview(MultiTarget& target) {
    ShowMultiTargetPreview(&target, 1000, 1000);
    unsigned sum = static_cast<unsigned>(target.previewZ);
    for (CMultiTargetObj* part = CObjectManager::multiPreviewList; part; part = part->nextPreview)
        sum += static_cast<unsigned>(part->locX + part->locY + part->z);
    ClearMultiTargetPreview();
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (tw::fuzz::StartMultiCache(), true);
    (void)started;
    if (size < 4) return 0;
    const int count = data[0] | data[1] << 8;
    const M_WORD dx = data[2], dy = data[3];
    const uint8_t* body = data + 4;
    const size_t length = size - 4;
    tw::fuzz::WriteMultiDefinition(body, length);

    MultiTarget target;
    unsigned sum = 0;
    if (LoadMultiList(&target, 0, dx, dy, 0)) sum += Preview(target);
    if (LoadObjectList(&target, count, body, length, dx, dy, 0)) sum += Preview(target);
    return sum == 0xFFFFFFFF;
}
