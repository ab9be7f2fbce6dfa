// The light pass: the base level, light maps, covered lights, coloured
// light and the output pixel format.
#include <gtest/gtest.h>

#include <vector>

#include "ViewTestSupport.h"
#include "config/Config.h"
#include "resources/SpanHandlers.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/LightFile.h"
#include "view/LightPass.h"
#include "view/Repaint.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;
using tw::test::Image16;

// Far from every light of the sample world.
constexpr int kDarkX = 58, kDarkY = 6;

class Light : public tw::test::ViewTest {
protected:
    void Start(bool is565 = false) {
        StartWorld(world);
        UseBackBuffer(640, 480, 640, 480, is565);
    }
    Image16 Frame() {
        InvalidateScreen();
        Paint();
        return PlayArea();
    }
    static int Channel(M_WORD p, int shift) { return p >> shift & 31; }

    sample::SampleWorld world = sample::MakeSampleWorld();
};

TEST_F(Light, TheBaseLevelIsAmbientLessPersonalLightHeldWithin0To31) {
    Start();
    PlacePlayer(kDarkX, kDarkY);
    struct Case {
        int ambient, personal;
        bool ghost;
        int level;
    };
    const Case cases[] = {{0, 0, false, 0},
                          {40, 0, false, 31},
                          {12, 20, false, 0},
                          {25, 0, true, 0},
                          {20, 5, false, 15}};
    for (const Case& c : cases) {
        pPlayerObject->objectType = c.ghost ? 402 : 400;
        thelightthingie::ambientLevel = thelightthingie::personalLight = 0;
        const Image16 full = Frame();
        thelightthingie::ambientLevel = c.ambient;
        thelightthingie::personalLight = c.personal;
        const Image16 lit = Frame();
        const M_BYTE* scale = ChannelScaleTable[c.level];
        for (size_t i = 0; i < lit.pixels.size(); i += 97) {
            const M_WORD p = full.pixels[i];
            const M_WORD want = static_cast<M_WORD>(scale[Channel(p, 10)] << 10 |
                                                    scale[Channel(p, 5)] << 5 | scale[p & 31]);
            ASSERT_EQ(lit.pixels[i], want) << "ambient " << c.ambient << " personal " << c.personal
                                           << (c.ghost ? " ghost" : "");
        }
    }
}

TEST_F(Light, FullLightIsRewrittenInFiveSixFive) {
    Start(false);
    PlacePlayer(kDarkX, kDarkY);
    const Image16 day555 = Frame();
    use565 = TRUE;
    const Image16 day565 = Frame();
    for (size_t i = 0; i < day555.pixels.size(); ++i) {
        const M_WORD p = day555.pixels[i];
        ASSERT_EQ(day565.pixels[i], (p >> 10 & 31) << 11 | (p >> 5 & 31) << 6 | (p & 31)) << i;
    }
}

TEST_F(Light, LightNumbersBeyond99GiveNoLightAndMarkNothing) {
    world.tiles.items[sample::kLamp].light = 100;
    Start();
    PlacePlayer(sample::kCrossroads.x, sample::kCrossroads.y);
    DirtyList::count = 0;
    DirtyList::fullRepaintPending = FALSE;
    RECT area;
    for (CObj* o = CObjectManager::lightList; o; o = o->lightNext) {
        if (o->objectType != sample::kLamp) continue;
        EXPECT_FALSE(GetLightArea(o, &area, nullptr));
        InvalidateObjectLight(o);
    }
    EXPECT_EQ(DirtyList::count, 0);
}

TEST_F(Light, AFloorAboveTheCellInFrontKeepsALightIn) {
    Start();
    PlacePlayer(sample::kCrossroads.x, sample::kCrossroads.y);
    const RECT all{0, 0, 640, 480};
    std::vector<ActiveLight> lights;
    CollectLights(all, &lights);
    const size_t open = lights.size();
    ASSERT_GT(open, 0u);
    // A floor 5 above the lamp at (32, 27), in front of it.
    CObj* floor = NewStaticObj(sample::kFloor);
    floor->ToWorld(Coords(33, 28, 5));
    CollectLights(all, &lights);
    EXPECT_EQ(lights.size(), open - 1);
    // 4 above it does not.
    floor->ToVoid();
    floor->ToWorld(Coords(33, 28, 4));
    CollectLights(all, &lights);
    EXPECT_EQ(lights.size(), open);
}

class GreenLight : public Light, public ::testing::WithParamInterface<int> {};

TEST_P(GreenLight, LowersOnlyTheGreenLevelByItsCurve) {
    // Light 2 of one value all over; graphic 14612 always carries light 2.
    const int value = GetParam();
    tw::datafiles::LightMap flat;
    flat.width = flat.height = 200;
    flat.values.assign(200 * 200, static_cast<std::int8_t>(value));
    world.lights = tw::datafiles::EncodeLights({{2, flat}});
    Start();
    ColoredLighting = TRUE;
    PlacePlayer(kDarkX, kDarkY);
    CObjectManager::HandleMove(tw::test::kItemSerial, 14612, 0, 1, kDarkX, kDarkY, 0, 0, 0, 0);
    const Image16 day = Frame();
    thelightthingie::ambientLevel = 20;
    const Image16 lit = Frame();
    const int green = 20 - (value == 10 ? 0 : 6);
    // The middle of the screen lies under the light.
    for (int y = 200; y < 280; y += 7)
        for (int x = 280; x < 360; x += 7) {
            const M_WORD p = day.at(x, y), q = lit.at(x, y);
            ASSERT_EQ(Channel(q, 10), ChannelScaleTable[20][Channel(p, 10)]) << x << "," << y;
            ASSERT_EQ(Channel(q, 5), ChannelScaleTable[green][Channel(p, 5)]) << x << "," << y;
            ASSERT_EQ(Channel(q, 0), ChannelScaleTable[20][Channel(p, 0)]) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Values, GreenLight, ::testing::Values(10, 20));

}  // namespace
