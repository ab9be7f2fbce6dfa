// The hue table: reading and normalising "hues.mul", the nearest hue, the
// configured highlight colours, ramps and the colour conversion.
#include <cmath>
#include <cstring>

#include "ByteReader.h"
#include "DataFileTestSupport.h"
#include "config/Config.h"
#include "resources/GraphicManager.h"
#include "resources/HueManager.h"

using namespace tw::test;
using namespace tw::datafiles;

namespace {

HueRecord hue(M_WORD start, M_WORD end, std::array<M_WORD, 32> colours = {}) {
    HueRecord h;
    h.start = start;
    h.end = end;
    h.colours = colours;
    return h;
}

}  // namespace

TEST_F(ResourceTest, HueColoursAreNeverTransparentAfterStartup) {
    HueManager::startup();
    for (int n : {0, 1500, 2999})
        for (M_WORD c : HueManager::hueTable[n].colors)
            ASSERT_EQ(c, 1) << "missing file, hue " << n;
    EXPECT_NE(ReportLog().find("in-game colours may no be correct"), std::string::npos);

    std::vector<HueRecord> hues(10);
    std::array<M_WORD, 32> colours{};
    colours[0] = 0;
    colours[1] = 0x8000 | 0x1234;
    colours[2] = 0x7FFF;
    colours[3] = 0x4000;
    hues[5] = hue(0, 0x7FFF, colours);  // a hue in use
    hues[6] = hue(0, 0, colours);       // an empty hue
    WriteBytes("hues.mul", EncodeHues(hues));
    HueManager::startup();
    struct Case {
        int hue, index;
        M_WORD expect;
    } cases[] = {{5, 0, 1}, {5, 1, 1}, {5, 2, 0x7FFF}, {5, 3, 0x4000}, {5, 31, 1},
                 {6, 0, 1}, {6, 1, 1}, {6, 2, 0x7FFF}, {6, 3, 0x4000}};
    for (const Case& c : cases)
        EXPECT_EQ(HueManager::hueTable[c.hue].colors[c.index], c.expect) << c.hue << "/" << c.index;
}

TEST_F(ResourceTest, HuesReplacedAfterStartupAreNormalisedToo) {
    // The file keeps what was sent; the table never holds 0 or bit 15.
    WriteBytes("hues.mul", EncodeHues({}));
    HueManager::startup();
    std::array<M_WORD, 32> colours{};
    colours[1] = 0x8000 | 0x1234;
    colours[2] = 0x7FFF;
    std::vector<HueRecord> eight(8, hue(0, 0x7FFF, colours));
    Bytes group = EncodeHueGroup(eight);
    HueManager::PatchHueGroup(3, group.data() + 4, int(group.size()) - 4);
    HueManager::SetHues(5, 0, reinterpret_cast<const char*>(group.data()) + 4,
                        int(group.size()) - 4);
    for (int n : {3 * 8, 3 * 8 + 7, 5 * 8, 5 * 8 + 7}) {
        const M_WORD* c = HueManager::hueTable[n].colors;
        EXPECT_EQ(c[0], 1) << n;
        EXPECT_EQ(c[1], 1) << n;
        EXPECT_EQ(c[2], 0x7FFF) << n;
    }
    EXPECT_EQ(ReadFile("hues.mul").substr(5 * 708 + 4, 4), std::string("\0\0\x34\x92", 4));
}

TEST_F(ResourceTest, AShortHueFileStopsAtItsEnd) {
    std::vector<HueRecord> hues(16);
    for (auto& h : hues) h = RampHue(0x0421, 0x7FFF, "ramp");
    Bytes file = EncodeHues(hues, 2);
    file.resize(708 + 4 + 3 * 88 + 50);  // hue 11 is cut
    WriteBytes("hues.mul", file);
    HueManager::startup();
    EXPECT_EQ(HueManager::hueTable[10].endColor, 0x7FFF);
    EXPECT_STREQ(HueManager::hueTable[10].name, "ramp");
    EXPECT_EQ(HueManager::hueTable[11].endColor, 0) << "the cut hue is not half read";
    EXPECT_EQ(HueManager::hueTable[11].colors[0], 1);
}

TEST_F(ResourceTest, NearestHueComparesEndColoursAndTakesTheFirstTie) {
    std::vector<HueRecord> hues(1100);
    hues[0] = hue(1, 0x7C00);       // hue 0 never takes part
    hues[3] = hue(0, 10 << 10);     // distance to 12 << 10: 4
    hues[4] = hue(0, 14 << 10);     // also 4: the later one loses
    hues[7] = hue(12 << 10, 0);     // start counts for taking part; its end 0 is far
    hues[1001] = hue(1, 12 << 10);  // past 1000: never
    WriteBytes("hues.mul", EncodeHues(hues));
    HueManager::startup();
    struct Case {
        int colour, hue;
    } cases[] = {{12 << 10, 3}, {14 << 10, 4}, {0, 7}, {0x7C00, 4}, {16 << 10 | 1, 4}};
    for (const Case& c : cases) EXPECT_EQ(HueManager::FindNearestHue(c.colour), c.hue) << c.colour;

    HueManager::reset();
    EXPECT_EQ(HueManager::FindNearestHue(0x7FFF), 0) << "no hue has colours";
}

TEST_F(ResourceTest, HighlightColoursBecomeHueNumbers) {
    std::vector<HueRecord> hues(20);
    hues[12] = hue(0, 0x7C00 | 1);
    WriteBytes("hues.mul", EncodeHues(hues));
    HighlightColor[1] = 0x7C01;  // a colour: the nearest hue
    HighlightColor[2] = -77;     // a hue number itself
    HueManager::startup();
    EXPECT_EQ(HighlightHue[1], 12);
    EXPECT_EQ(HighlightHue[2], 77);
    EXPECT_EQ(HighlightHue[3], 946) << "unconfigured entries keep their hue";
    EXPECT_EQ(HighlightColor[1], 0);
    EXPECT_EQ(HighlightColor[2], 0);
}

TEST_F(ResourceTest, MakeHueRampsBetweenTwoColoursAndCutsTheName) {
    HueManager::MakeHue(100, GraphicManager::MakeColor(0, 0, 0),
                        GraphicManager::MakeColor(255, 128, 64), "a name of twenty-five chars");
    const Hue& h = HueManager::hueTable[100];
    EXPECT_STREQ(h.name, "a name of twenty-fi");
    EXPECT_EQ(h.colors[0], 0);
    // Components step by (248 - 0) / 32 = 7.75 (red), 4 (green), 2 (blue).
    EXPECT_EQ(h.colors[16], GraphicManager::MakeColor(124, 64, 32));
    EXPECT_EQ(h.colors[31], GraphicManager::MakeColor(240, 124, 62));
    HueManager::MakeHue(3000, 1, 2, "outside");  // no such hue: nothing happens
    EXPECT_EQ(HueManager::GetHue(3000), nullptr);
    EXPECT_EQ(HueManager::GetHue(100), &h);
}

TEST_F(ResourceTest, SetHuesWritesOneGroupIntoFileAndTable) {
    WriteBytes("hues.mul", EncodeHues({}));
    std::vector<HueRecord> eight(8, RampHue(0x0001, 0x7FFF, "written"));
    Bytes group = EncodeHueGroup(eight);
    const std::vector<char> records(group.begin() + 4, group.end());
    HueManager::SetHues(374, 0x11223344, records.data(), int(records.size()));
    std::string file = ReadFile("hues.mul");
    ASSERT_EQ(file.size(), 375u * 708);
    EXPECT_EQ(file.substr(374 * 708 + 4), std::string(group.begin() + 4, group.end()));
    EXPECT_EQ(M_BYTE(file[374 * 708]), 0x44);
    EXPECT_STREQ(HueManager::hueTable[2999].name, "written");
    HueManager::SetHues(375, 0, records.data(), int(records.size()));
    EXPECT_EQ(ReadFile("hues.mul").size(), 375u * 708) << "no group past the table";

    // Fewer bytes than 8 records, read from a buffer of exactly that many:
    // refused, and neither the file nor the table changes.
    const std::vector<char> cut(records.begin(), records.end() - 1);
    HueManager::SetHues(3, 0, cut.data(), int(cut.size()));
    EXPECT_EQ(ReadFile("hues.mul"), file);
    EXPECT_STREQ(HueManager::hueTable[3 * 8].name, "");
    EXPECT_NE(ReportLog().find("HueManager::SetHues: 703 bytes for group 3, 704 needed. refused."),
              std::string::npos);
}

TEST(HueColour, HsiToRgbPlacesTheSmallestAndLargestComponents) {
    struct Case {
        double hue, intensity, saturation;
        double out[3];
    } cases[] = {
        {0, 0.25, 0.0, {0.25, 0.25, 0.25}},
        {200, 0.7, 0.0005, {0.7, 0.7, 0.7}},  // below 0.001 counts as 0
        {0, 0.5, 1.0, {0.0, 0.0, 1.0}},
        {120, 0.5, 1.0, {1.0, 0.0, 0.0}},
        {240, 0.5, 1.0, {0.0, 1.0, 0.0}},
    };
    for (const Case& c : cases) {
        double out[3];
        HSIToRGB(c.hue, c.intensity, c.saturation, &out[0], &out[1], &out[2]);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(out[i], c.out[i], 1e-9) << c.hue << " #" << i;
    }
}

TEST(HueColour, RgbToHsvFindsHueFromTheLargestComponentAndSaturationByLightness) {
    struct Case {
        int r, g, b;
        double hue, lightness, saturation;
    } const cases[] = {
        {255, 0, 0, 0, 255 / 512.0, 1},
        {0, 255, 0, 120, 255 / 512.0, 1},
        {0, 0, 255, 240, 255 / 512.0, 1},
        {255, 255, 0, 60, 255 / 512.0, 1},
        // Red and blue both largest: red decides, and the negative hue wraps.
        {255, 0, 255, 300, 255 / 512.0, 1},
        // Lighter than half: saturation over 2 - (max + min).
        {255, 128, 128, 0, (255 + 128) / 512.0, (127 / 256.0) / (2 - 383 / 256.0)},
        // Greys have neither hue nor saturation.
        {128, 128, 128, 0, 0.5, 0},
        {0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        double hue = -1, lightness = -1, saturation = -1;
        RGBToHSV(c.r, c.g, c.b, &hue, &lightness, &saturation);
        EXPECT_NEAR(hue, c.hue, 1e-9) << c.r << "," << c.g << "," << c.b;
        EXPECT_NEAR(lightness, c.lightness, 1e-9) << c.r << "," << c.g << "," << c.b;
        EXPECT_NEAR(saturation, c.saturation, 1e-9) << c.r << "," << c.g << "," << c.b;
    }
}
