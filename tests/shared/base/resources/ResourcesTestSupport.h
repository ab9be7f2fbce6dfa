// Fixture of the resources tests: the base fixture plus the resets of the
// configuration, the hue table and the drawing state, the services above the
// world model for the tests that make world objects, and small helpers for
// pixel buffers.
#pragma once

#include <string>
#include <vector>

#include "TWTypes.h"
#include "resources/BlitTarget.h"
#include "support/TwTest.h"
#include "support/doubles/WorldServices.h"

namespace tw::test {

class ResourcesTest : public TwTest {
protected:
    void SetUp() override;

    // What the world objects of a test reach above the world model.
    tw::doubles::WorldServices world;
};

// Hue `number` gets the ramp 0x0400 + i (red 1, blue i): every entry differs
// and none is a grey.
void SetTestHue(int number);

// A pixel buffer of width x height filled with `fill`.
struct PixelBuffer {
    int width;
    int height;
    std::vector<M_WORD> pixels;
    PixelBuffer(int w, int h, M_WORD fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    M_WORD at(int x, int y) const { return pixels[size_t(y) * width + x]; }
    M_WORD* data() { return pixels.data(); }
    // The whole buffer as a blit target (its width is its pitch).
    BlitTarget target() { return BlitTarget(pixels.data(), width, height); }
};

// The buffer as rows of hex pixels, for readable failures.
std::string Dump(const PixelBuffer& buffer);

// Compares the buffer with the golden picture golden/<name>.txt beside these
// tests: one character per pixel, each character's colour in a legend line.
// Run with TW_UPDATE_GOLDEN=1 to write the pictures anew (then look at them).
::testing::AssertionResult MatchesGolden(const std::string& name, const PixelBuffer& buffer);

}  // namespace tw::test
