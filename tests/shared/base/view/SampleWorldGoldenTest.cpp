// The sample world drawn off screen into the back buffer, compared with
// golden pictures: three places, both play-area sizes, both pixel formats,
// by day, by night in white light, and by night with a lamp beside the
// player in coloured light.  The lake shore by day adds water and sand.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ViewTestSupport.h"
#include "config/Config.h"
#include "view/Light.h"
#include "view/MapManager.h"
#include "world/ObjectManager.h"

namespace {

using tw::datafiles::sample::Place;
namespace sample = tw::datafiles::sample;

enum class Lighting { Day, Night, Lamp };

struct Size {
    int width;
    int height;
};

using GoldenCase = std::tuple<Place, Size, bool /* 5-6-5 */, Lighting>;

std::string NameOf(const GoldenCase& c) {
    const auto& [place, size, is565, lighting] = c;
    static const char* const kLighting[] = {"day", "night", "lamp"};
    return std::string(place.name) + "_" + std::to_string(size.width) + "_d" +
           (is565 ? "16" : "15") + "_" + kLighting[static_cast<int>(lighting)];
}

class SampleWorldGolden : public tw::test::ViewTest,
                          public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(SampleWorldGolden, DrawsAsTheGoldenPicture) {
    const auto& [place, size, is565, lighting] = GetParam();
    StartSampleWorld();
    UseBackBuffer(size.width, size.height, size.width, size.height, is565);
    thelightthingie::ambientLevel = lighting == Lighting::Day ? 0 : 26;
    ColoredLighting = lighting == Lighting::Lamp ? TRUE : FALSE;
    PlacePlayer(place.x, place.y);
    if (lighting == Lighting::Lamp) {
        signed char corners[4];
        MapManager::GetLandCornerZ(place.x + 2, place.y - 1, corners);
        CObjectManager::HandleMove(tw::test::kItemSerial, sample::kLamp, 0, 1, place.x + 2,
                                   place.y - 1, corners[0], 0, 0, 0);
    }
    Paint();
    EXPECT_TRUE(tw::test::MatchesGolden(PlayArea(),
                                        "shared/base/view/golden/" + NameOf(GetParam()) + ".png"));
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, SampleWorldGolden,
    ::testing::Combine(::testing::Values(sample::kCrossroads, sample::kHillside,
                                         sample::kByTheFire),
                       ::testing::Values(Size{640, 480}, Size{800, 600}), ::testing::Bool(),
                       ::testing::Values(Lighting::Day, Lighting::Night, Lighting::Lamp)),
    [](const ::testing::TestParamInfo<GoldenCase>& info) { return NameOf(info.param); });

INSTANTIATE_TEST_SUITE_P(
    Water, SampleWorldGolden,
    ::testing::Values(GoldenCase{sample::kLakeShore, Size{800, 600}, false, Lighting::Day}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) { return NameOf(info.param); });

}  // namespace
