// The IFF reader over arbitrary images: every FORM and CHUNK is entered and
// its contents read as strings and numbers, the way the loaders read them.
#include <cstdint>

#include "Iff.h"
#include "fuzz/FuzzSupport.h"

namespace {

void walk(Iff& iff, int depth) {
    while (!iff.atEndOfForm() && !iff.hasFailed()) {
        if (iff.isForm(0)) {
            iff.enterForm(0);
            if (depth < 200) walk(iff, depth + 1);
            iff.exitForm(0);
            continue;
        }
        IffTag tag = iff.getCurrentTag();
        if (!tag || !iff.enterChunk(tag)) return;
        const M_BYTE* start = iff.getCurrentPosition();
        bool mustBeEmpty = iff.peekInt32(start, false) & 1;
        char text[8];
        for (int step = 0; iff.charsLeft() > 0 && !iff.hasFailed(); ++step) {
            if (step % 3 == 0) iff.readString(text, sizeof text);
            if (step % 3 == 1) iff.readInt32(true);
            if (step % 3 == 2) iff.skipString();
        }
        iff.exitChunk(tag, mustBeEmpty);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    Iff iff(data, size);
    iff.setFileName("fuzz.iff");
    if (iff.enterForm(0)) {
        walk(iff, 0);
        iff.exitForm(0);
    }
    return 0;
}
