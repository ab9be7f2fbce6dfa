// The hued pixel-row copy of gump-art drawing, over a hue table read from
// "hues.mul".
#include "DataFileTestSupport.h"
#include "config/Config.h"
#include "resources/GumpArt.h"
#include "resources/HueManager.h"

using namespace tw::test;
using namespace tw::datafiles;

TEST_F(ResourceTest, CopyPixelRowHuedReplacesGreysByTheHueAndKeepsTheRest) {
    std::vector<HueRecord> hues(40);
    for (int i = 0; i < 32; ++i) hues[33].colours[i] = static_cast<M_WORD>(0x1000 + i);
    hues[33].end = 0x7FFF;
    WriteBytes("hues.mul", EncodeHues(hues));
    HueManager::startup();
    const unsigned short grey555 = (7 << 10) | (7 << 5) | 7;
    const unsigned short grey565 = (7 << 11) | (14 << 5) | 7;
    const unsigned short colour = (31 << 10) | 3;
    struct {
        BOOL layout565;
        int hue;
        unsigned short source;
        unsigned short expected;
    } cases[] = {
        {FALSE, 33, 0, 0xBEEF},        // transparent: destination kept
        {FALSE, 33, grey555, 0x1007},  // grey: colour of its brightness
        {FALSE, 33, (31 << 10) | (31 << 5) | 31, 0x101F},
        {FALSE, 33, colour, colour},  // not grey: copied
        {TRUE, 33, grey565, 0x1007},
        {TRUE, 33, grey555, grey555},     // grey only under the other layout
        {FALSE, 3000, grey555, grey555},  // no such hue: unhued
        {FALSE, -1, grey555, grey555},
    };
    for (const auto& c : cases) {
        use565 = c.layout565;
        unsigned short dst = 0xBEEF;
        CopyPixelRowHued(&dst, &c.source, 1, c.hue);
        EXPECT_EQ(dst, c.expected) << "source " << c.source << " hue " << c.hue;
    }
}
