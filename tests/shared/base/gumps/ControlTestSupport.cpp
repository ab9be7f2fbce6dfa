#include "ControlTestSupport.h"

#include <optional>

#include "Clock.h"
#include "config/Config.h"
#include "resources/FontManager.h"
#include "resources/HueManager.h"
#include "support/datafiles/DataFiles.h"

namespace tw::test {

namespace {

using datafiles::Image;
using datafiles::Rgb555;

M_DWORD g_now = 1000;

M_DWORD fakeNow() {
    return g_now;
}

datafiles::BitmapFont controlFont() {
    datafiles::BitmapFont font = datafiles::TextFont(0x4210);
    datafiles::Glyph& star = font['*'];
    star =
        datafiles::Glyph{ControlTest::kStarWidth, 7, 0,
                         std::vector<M_WORD>(static_cast<size_t>(ControlTest::kStarWidth) * 7, 0)};
    for (int y = 1; y < 6; ++y) star.pixels[static_cast<size_t>(y) * 3 + 1] = 0x4210;
    return font;
}

void addRange(std::vector<std::pair<int, Image>>& art, int first, int last, int w, int h) {
    for (int id = first; id <= last; ++id)
        art.push_back(
            {id, Image(w, h, Rgb555(40 + id % 7 * 30, 60 + id % 5 * 35, 90 + id % 3 * 50))});
}

}  // namespace

RecordingOwner::RecordingOwner() : CGump(0, 0, nullptr, nullptr, 1, 300, 300) {
    name = "owner";
}

void ControlTest::SetUp() {
    GumpTest::SetUp();
    use565 = FALSE;
    SetNow(1000);
    SetTimeSourceForTests(fakeNow);

    std::vector<std::optional<datafiles::BitmapFont>> fonts(10);
    for (int f : {0, 1, 5, 6, 9}) fonts[f] = controlFont();
    datafiles::WriteBytes("fonts.mul", datafiles::EncodeFonts(fonts));
    FontManager::startup();
    // The hues the controls draw text in, each a ramp to a colour of its
    // own; a text hue n is entry n - 1 of the table.
    HueManager::MakeHue(902 - 1, Rgb555(40, 40, 40), Rgb555(250, 250, 250), "text");
    HueManager::MakeHue(53 - 1, Rgb555(40, 40, 0), Rgb555(250, 250, 0), "hover");
    HueManager::MakeHue(33 - 1, Rgb555(40, 0, 0), Rgb555(250, 0, 0), "chosen");
    HueManager::MakeHue(700 - 1, Rgb555(0, 40, 0), Rgb555(0, 250, 0), "row");
    HueManager::MakeHue(1153 - 1, Rgb555(0, 0, 40), Rgb555(0, 0, 250), "label");

    std::vector<std::pair<int, Image>> art;
    addRange(art, kFieldArt, kReadOnlyArt, 100, 20);
    addRange(art, 1010, 1012, 4, 20);
    addRange(art, 1020, 1020, 10, 10);
    addRange(art, 2445, 2446, 100, 20);
    addRange(art, 2435, 2435, 8, 6);
    addRange(art, 2437, 2437, 8, 6);
    addRange(art, 5009, 5009, 6, 6);
    addRange(art, kColumnArt, kColumnArt, 120, kColumnTop);
    addRange(art, kColumnArt + 1, kColumnArt + 3, 100, 10);
    addRange(art, kColumnArt + 4, kColumnArt + 4, 120, kColumnBottom);
    addRange(art, 5109, 5110, 4, 14);
    addRange(art, 3000, 3008, 8, 8);
    addRange(art, 3500, 3508, 8, 8);
    addRange(art, 250, 253, 16, 16);
    addRange(art, 254, 254, 16, 12);
    addRange(art, 255, 255, 16, 8);
    addRange(art, 256, 256, 16, 10);
    addRange(art, 257, 257, 16, 8);
    addRange(art, 2360, 2362, 10, 6);
    addRange(art, 2363, 2371, 30, 20);
    InstallGumpArt(art);

    owner = new RecordingOwner;
    owner->PutInGump(nullptr);
}

void ControlTest::TearDown() {
    GumpTest::TearDown();
    FontManager::reset();
    HueManager::reset();
    SetTimeSourceForTests(nullptr);
}

void ControlTest::SetNow(M_DWORD ms) {
    g_now = ms;
}

M_DWORD ControlTest::Now() {
    return g_now;
}

Image16 ControlTest::BitmapOf(CGump* gump) {
    Image16 image;
    image.width = gump->FrameWidth(0);
    image.height = gump->FrameHeight(0);
    image.depth = 15;
    const M_WORD* pixels = gump->FramePixels(0);
    const int pitch = FramePitch(image.width);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(pixels[static_cast<size_t>(y) * pitch + x]);
    return image;
}

M_WORD ControlTest::BitmapPixel(CGump* gump, int x, int y) {
    return gump->FramePixels(0)[static_cast<size_t>(y) * FramePitch(gump->FrameWidth(0)) + x];
}

}  // namespace tw::test
