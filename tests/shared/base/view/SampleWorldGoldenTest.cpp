// The sample world drawn off screen into the back buffer, compared with
// golden pictures: four places, both play-area sizes, both pixel formats,
// by day, by night and by the light of lamps and fires, white and coloured.
#include <gtest/gtest.h>

#include <string>

#include "ViewTestSupport.h"
#include "app/Config.h"
#include "view/Light.h"

namespace {

using tw::datafiles::sample::Place;
namespace sample = tw::datafiles::sample;

struct GoldenCase {
    Place place;
    int width;
    int height;
    bool is565;
    int ambient;
    bool coloured;
    const char* name;
};

class SampleWorldGolden : public tw::test::ViewTest,
                          public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(SampleWorldGolden, DrawsAsTheGoldenPicture) {
    const GoldenCase& c = GetParam();
    StartSampleWorld();
    UseBackBuffer(c.width, c.height, c.width, c.height, c.is565);
    thelightthingie::ambientLevel = c.ambient;
    ColoredLighting = c.coloured ? TRUE : FALSE;
    PlacePlayer(c.place.x, c.place.y);
    Paint();
    EXPECT_TRUE(tw::test::MatchesGolden(PlayArea(),
                                        std::string("shared/base/view/golden/") + c.name + ".png"));
}

INSTANTIATE_TEST_SUITE_P(
    Places, SampleWorldGolden,
    ::testing::Values(
        GoldenCase{sample::kCrossroads, 640, 480, true, 0, false, "crossroads_640_d16_day"},
        GoldenCase{sample::kCrossroads, 800, 600, false, 22, false, "crossroads_800_d15_lamps"},
        GoldenCase{sample::kHillside, 640, 480, false, 0, false, "hill_640_d15_day"},
        GoldenCase{sample::kHillside, 800, 600, true, 28, false, "hill_800_d16_night"},
        GoldenCase{sample::kByTheFire, 640, 480, true, 24, true, "campfire_640_d16_coloured"},
        GoldenCase{sample::kLakeShore, 800, 600, false, 0, false, "lake_800_d15_day"}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

}  // namespace
