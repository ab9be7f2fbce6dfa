// An animation item of arbitrary bytes: every frame it offers is read, its
// runs and colours walked as the blitters walk them, hit-tested as picking
// does, and composed into a sitting pose.
#include <cstdint>
#include <vector>

#include "view/AnimFrames.h"
#include "view/Sitting.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The item alone, so that a read past it is caught.
    std::vector<M_BYTE> item(data, data + size);
    const int count = AnimFrameCount(item.data(), item.size());
    unsigned sum = 0;
    for (int i = -1; i <= count && i < 256; ++i) {
        AnimFrame frame;
        if (!ReadAnimFrame(item.data(), item.size(), i, &frame)) continue;
        ForEachRun(frame, [&](const FrameRun& run) {
            for (int k = 0; k < run.length; ++k) sum += frame.ColourAt(run.pixels[k]);
            return true;
        });
        for (int x = -8; x < 8; ++x) sum += HitFrameRuns(x, -3, i & 1, 0, 0, frame);
        ClearSittingPose();
        ComposeSittingFrame(0, i & 1, frame);
        for (int r = 0; r < kPoseHeight; r += 7) sum += SittingPosePixel(2 * (i & 3), r % 64, r);
    }
    return sum == 0xFFFFFFFFu;
}
