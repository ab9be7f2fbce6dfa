#include "ResourcesTestSupport.h"

#include <cstdio>

#include "app/Config.h"
#include "resources/HueManager.h"
#include "resources/SkipDraw.h"

namespace tw::test {

void ResourcesTest::SetUp() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        AddServiceReset(ResetConfigForTests);
        AddServiceReset(SkipDrawHandler::reset);
    }
    TwTest::SetUp();
}

void SetTestHue(int number) {
    Hue* hue = const_cast<Hue*>(HueManager::GetHue(number));
    for (int i = 0; i < 32; ++i) hue->colors[i] = static_cast<M_WORD>(0x0400 + i);
}

std::string Dump(const PixelBuffer& buffer) {
    std::string out = "\n";
    for (int y = 0; y < buffer.height; ++y) {
        for (int x = 0; x < buffer.width; ++x) {
            char cell[8];
            snprintf(cell, sizeof cell, "%04X ", buffer.at(x, y));
            out += cell;
        }
        out += "\n";
    }
    return out;
}

}  // namespace tw::test
