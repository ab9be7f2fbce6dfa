#include <cstdlib>
#include <string>

#include "support/GoldenImage.h"
#include "support/TwTest.h"

namespace {

using tw::test::Image16;

class GoldenImageTest : public tw::test::TwTest {};

TEST_F(GoldenImageTest, PngRoundTripKeepsEveryChannelOfBothDepths) {
    for (int depth : {15, 16}) {
        Image16 image{3, 2, depth, {0x0000, 0xFFFF, 0x7C00, 0x03E0, 0x001F, 0x1234}};
        std::vector<std::uint8_t> rgb = tw::test::ToRgb(image);
        ASSERT_TRUE(tw::test::WriteRgbPng("p.png", 3, 2, rgb));
        int w = 0, h = 0;
        std::vector<std::uint8_t> back;
        ASSERT_TRUE(tw::test::ReadRgbPng("p.png", &w, &h, &back));
        EXPECT_EQ(w, 3);
        EXPECT_EQ(h, 2);
        EXPECT_EQ(back, rgb);
    }
    // Full-scale channels widen to 255 and black stays 0.
    std::vector<std::uint8_t> white = tw::test::ToRgb(Image16{1, 1, 16, {0xFFFF}});
    EXPECT_EQ(white, (std::vector<std::uint8_t>{255, 255, 255}));
}

TEST_F(GoldenImageTest, AMismatchFailsAndAMissingGoldenIsReported) {
    unsetenv("TW_UPDATE_GOLDEN");
    Image16 image{2, 2, 16, {1, 2, 3, 4}};
    EXPECT_FALSE(tw::test::MatchesGolden(image, "support/test/golden/does_not_exist.png"));
    ASSERT_TRUE(tw::test::WriteRgbPng("other.png", 2, 2, tw::test::ToRgb(Image16{2, 2, 16, {1, 2, 3, 5}})));
    // A golden path relative to the tests folder cannot point at the working
    // directory, so compare through the reader directly.
    int w = 0, h = 0;
    std::vector<std::uint8_t> other;
    ASSERT_TRUE(tw::test::ReadRgbPng("other.png", &w, &h, &other));
    EXPECT_NE(other, tw::test::ToRgb(image));
}

}  // namespace
