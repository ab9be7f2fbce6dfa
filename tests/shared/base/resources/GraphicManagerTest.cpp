// The graphic manager: palette, grey table and body speeds from their files,
// the play-area size, pixel conversions, art sizes, land tiles, art updates
// and the death fade.
#include <vector>

#include "ByteReader.h"
#include "DataFileTestSupport.h"
#include "Service.h"
#include "resources/DHDCache.h"
#include "resources/GraphicManager.h"
#include "resources/PatchOwners.h"
#include "view/ViewServices.h"

using namespace tw::test;
using namespace tw::datafiles;

TEST_F(ResourceTest, StartupReadsPaletteAndBodySpeedsWithDefaultsForWhatIsMissing) {
    GraphicManager::startup();
    EXPECT_EQ(GraphicManager::GetAnimInfo(0)[0], 4);
    EXPECT_EQ(GraphicManager::GetAnimInfo(999)[1], 2);
    EXPECT_EQ(GraphicManager::palette[5], 0);

    WriteBytes("palette.mul", GreyPalette());
    Bytes info = EncodeAnimInfo({{0, {9, 8}}, {400, {1, 3}}});
    info.resize(401 * 2);  // a short file: bodies past it keep {4, 2}
    WriteBytes("animinfo.mul", info);
    GraphicManager::startup();
    EXPECT_EQ(GraphicManager::palette[3 * 200 + 1], 200);
    struct Case {
        int body;
        int a, b;
    } cases[] = {{0, 9, 8}, {400, 1, 3}, {401, 4, 2}, {999, 4, 2}, {1000, 4, 2}, {-1, 4, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(GraphicManager::GetAnimInfo(c.body)[0], c.a) << c.body;
        EXPECT_EQ(GraphicManager::GetAnimInfo(c.body)[1], c.b) << c.body;
    }
    // Grey of pure red 31: ((31 * 536) / 100) >> 3 = 20 in every channel.
    EXPECT_EQ(GraphicManager::greyTable[31 << 10], 20 << 10 | 20 << 5 | 20);
    EXPECT_EQ(GraphicManager::greyTable[0x7FFF], 31 << 10 | 31 << 5 | 31);
    EXPECT_EQ(GraphicManager::greyTable[0], 0);
}

TEST_F(ResourceTest, GameplayWindowTakesOnlyTheTwoSizes) {
    GraphicManager::setGameplayWindowPixelWidthAndHeight(800, 600);
    EXPECT_EQ(GraphicManager::getGameplayWindowPixelWidth(), 800);
    EXPECT_EQ(GraphicManager::getGameplayWindowCenterY(), 300);
    EXPECT_DEATH(GraphicManager::setGameplayWindowPixelWidthAndHeight(1024, 768),
                 "Currently only supports 640x480 & 800x600");
}

TEST(GraphicManagerPixels, ConversionsBetweenComponentsAndPixels) {
    struct Case {
        M_BYTE r, g, b;
        M_WORD pixel;
        M_DWORD rgb;  // PixelToRGB of the pixel
    } cases[] = {
        {0, 0, 0, 0x0000, 0x000000},   {255, 255, 255, 0x7FFF, 0xF8F8F8},
        {255, 0, 0, 0x7C00, 0x0000F8}, {0, 255, 0, 0x03E0, 0x00F800},
        {0, 0, 255, 0x001F, 0xF80000}, {17, 130, 66, 2 << 10 | 16 << 5 | 8, 0x408010},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GraphicManager::MakeColor(c.r, c.g, c.b), c.pixel);
        EXPECT_EQ(GraphicManager::PixelToRGB(c.pixel), c.rgb);
        EXPECT_EQ(GraphicManager::RGBToPixel(c.rgb), c.pixel);
    }
    EXPECT_EQ(GraphicManager::PixelToRGB(0x8000 | 0x7C00), 0x0000F8u) << "bit 15 is no colour";
    EXPECT_EQ(GraphicManager::Pixel555To565(0x7FFF), 0xFFDF);
    EXPECT_EQ(GraphicManager::Pixel555To565(0x03E0), 0x07C0);
}

TEST(GraphicManagerFade, DeathFadeReachesBlackInThirtyOneStepsAcrossTheRingEnd) {
    // A 6 x 4 ring frame whose 4 x 3 play area starts near the end, so that
    // its rows wrap; pixels outside it must stay.
    const int fw = 6, fh = 4, start = 21;
    for (bool is565 : {false, true}) {
        std::vector<M_WORD> frame(fw * fh, 0x7FFF);
        std::vector<bool> inside(fw * fh, false);
        for (int row = 0, pos = start; row < 3; ++row, pos = (pos + fw) % (fw * fh))
            for (int i = 0; i < 4; ++i) inside[(pos + i) % (fw * fh)] = true;
        const M_WORD white = is565 ? 0xFFDF : 0x7FFF;
        for (size_t i = 0; i < frame.size(); ++i)
            if (inside[i]) frame[i] = white;
        for (int step = 1; step <= 31; ++step) {
            GraphicManager::DarkenFrame(frame.data(), fw, fh, start, 4, 3, is565);
            int level = 31 - step;
            M_WORD expect = is565 ? M_WORD(level << 11 | level << 6 | level)
                                  : M_WORD(level << 10 | level << 5 | level);
            for (size_t i = 0; i < frame.size(); ++i)
                ASSERT_EQ(frame[i], inside[i] ? expect : 0x7FFF) << "step " << step << " at " << i;
        }
        GraphicManager::DarkenFrame(frame.data(), fw, fh, start, 4, 3, is565);
        for (size_t i = 0; i < frame.size(); ++i)
            EXPECT_EQ(frame[i], inside[i] ? 0 : 0x7FFF) << "black stays black";
    }
    // Unequal channels each stop at 0 on their own.
    M_WORD p = 3 << 10 | 31 << 5 | 0;
    GraphicManager::DarkenFrame(&p, 1, 1, 0, 1, 1, false);
    EXPECT_EQ(p, 2 << 10 | 30 << 5 | 0);
    // A play area larger than the frame is cut to it.
    std::vector<M_WORD> small(4, 0x0421);
    GraphicManager::DarkenFrame(small.data(), 2, 2, 0, 800, 600, false);
    EXPECT_EQ(small, std::vector<M_WORD>(4, 0));
}

TEST_F(ResourceTest, DeathFadeShowsTheTextHalfWayAndEndsAfterItsLastFrame) {
    // The death message sets the counter to 1; each frame darkens and counts.
    // The 640 x 480 play area lies in an 800 x 600 frame.
    std::vector<M_WORD> frame(size_t(800) * 600, 0x7FFF);
    GraphicManager::deathCounter = 1;
    std::vector<int> textFrames, endFrames;
    for (int f = 1; f <= 40 && GraphicManager::deathCounter; ++f) {
        auto step = GraphicManager::AdvanceDeathFade(frame.data(), 800, 600, 5000, false);
        if (step == GraphicManager::FADE_SHOWS_TEXT) textFrames.push_back(f);
        if (step == GraphicManager::FADE_ENDS) endFrames.push_back(f);
    }
    EXPECT_EQ(textFrames, std::vector<int>{15});
    EXPECT_EQ(endFrames, std::vector<int>{31});
    EXPECT_EQ(GraphicManager::deathCounter, 0);
    EXPECT_EQ(frame[5000], 0) << "black when the fade ends";
    EXPECT_EQ(frame[4999], 0x7FFF);
}

TEST_F(ResourceTest, LandTilesExpandIntoTheDiamond) {
    Image img(44, 44);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 44; ++x) img.set(x, y, M_WORD(1 + x + 44 * y));
    Bytes raw = EncodeLandTile(img);
    std::vector<M_WORD> out(44 * 44, 0xEEEE);
    ASSERT_TRUE(ExpandLandTile(raw.data(), int(raw.size()), out.data()));
    for (int y = 0; y < 44; ++y) {
        int first = 0, count = 0;
        LandTileRow(y, &first, &count);
        for (int x = 0; x < 44; ++x)
            ASSERT_EQ(out[y * 44 + x], x >= first && x < first + count ? img.at(x, y) : 0)
                << x << "," << y;
    }
    EXPECT_FALSE(ExpandLandTile(raw.data(), 2023, out.data()));
    EXPECT_EQ(out, std::vector<M_WORD>(44 * 44, 0));
    EXPECT_FALSE(ExpandLandTile(nullptr, 5000, out.data()));
}

TEST_F(ResourceTest, ArtSizesComeFromStaticArtAndDefaultTo44) {
    FileSet files = MinimalFiles();
    IndexedPair art;
    art.add(5, LandTileSolid(0x7FFF));
    art.add(16384 + 10, EncodeStaticArt(Image(13, 27, 0x1234)));
    art.add(16384 + 11, Bytes{1, 2, 3, 4, 5, 6});  // too short for the size words
    files["artidx.mul"] = art.indexBytes();
    files["art.mul"] = art.data();
    WriteInstall(files, InstallKind::MaxHD);
    StartCache();
    struct Case {
        int id, w, h;
    } cases[] = {{5, 44, 44}, {16384 + 10, 13, 27}, {16384 + 11, 44, 44}, {16384 + 12, 44, 44}};
    for (const Case& c : cases) {
        int w = 0, h = 0;
        GraphicManager::GetArtSize(c.id, &w, &h);
        EXPECT_EQ(w, c.w) << c.id;
        EXPECT_EQ(h, c.h) << c.id;
    }
}

TEST_F(ResourceTest, UpdateArtWritesWhatArrivedAndRefreshesTheWorld) {
    // The owners of what the patches touch: the view's, over the real world
    // model and the recording draw lists.
    tw::ScopedService<PatchOwners> owners(&ViewDataFileOwners());
    WriteInstall(MinimalFiles(), InstallKind::MaxHD);
    StartCache();
    Bytes land = LandTileSolid(0x0421);
    GraphicManager::UpdateArt(reinterpret_cast<const char*>(land.data()), 7, 2048, 0,
                              int(land.size()));
    int size = 0, extra = 0;
    const M_BYTE* item = CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, 7, &size, &extra);
    EXPECT_EQ(size, 2048);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item[0], 0x21);

    Bytes art = EncodeStaticArt(Image(3, 2, 0x7C00));
    Bytes message = art;
    message.resize(art.size() + 10, 0xCC);  // trailing bytes of the message are not art
    GraphicManager::UpdateArt(reinterpret_cast<const char*>(message.data()), 16384 + 20, 0, 5,
                              int(message.size()));
    item = CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, 16384 + 20, &size, &extra);
    EXPECT_EQ(size, int(art.size()));
    EXPECT_EQ(extra, 5);

    // The art's own header claims more than arrived: refused.
    GraphicManager::UpdateArt(reinterpret_cast<const char*>(art.data()), 16384 + 21, 0, 0,
                              int(art.size()) - 1);
    EXPECT_EQ(CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, 16384 + 21, &size, &extra), nullptr);
    GraphicManager::UpdateArt(reinterpret_cast<const char*>(land.data()), 8, 0, 0, 2047);
    EXPECT_EQ(CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, 8, &size, &extra), nullptr);

    GraphicManager::UpdateArt(nullptr, 7, -1, 0, 0);
    EXPECT_EQ(CDHDCache::GetCacheItem(FN_ARTIDX, FN_ART, 7, &size, &extra), nullptr);

    StderrCapture err;
    GraphicManager::UpdateArt(reinterpret_cast<const char*>(land.data()), 65536, 0, 0, 2048);
    GraphicManager::UpdateArt(reinterpret_cast<const char*>(land.data()), -1, 0, 0, 2048);
    EXPECT_NE(err.text().find("damn art bug: Tried to update art less than 0 or greater then "
                              "65535."),
              std::string::npos);
    EXPECT_EQ(world.view.invalidatedTerrainTiles, (std::vector<int>{7, 7}));
    EXPECT_EQ(world.view.resortedItemTiles, (std::vector<int>{20}));
}
