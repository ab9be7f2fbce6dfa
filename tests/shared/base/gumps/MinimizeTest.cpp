// Minimizing and restoring gumps: the icon places handed out column by
// column, given back on restore and on close, and remembered per gump.
#include <utility>
#include <vector>

#include "GumpTestSupport.h"
#include "config/Config.h"
#include "gumps/MinimizedPositions.h"

namespace {

using Place = std::pair<int, int>;

class MinimizeTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        AutoArrangeMinimized = TRUE;
    }
};

TEST_F(MinimizeTest, PlacesFillColumnByColumnAndReturnWhenFreed) {
    UseScreen(800, 600);
    std::vector<Place> places;
    int x = -1, y = -1;
    while (AllocMinimizedPosition(&x, &y)) places.push_back({x, y});
    ASSERT_EQ(places.size(), 7u * 8u);  // x 16..592, y 16..464
    EXPECT_EQ(places[0], Place(16, 16));
    EXPECT_EQ(places[1], Place(16, 80));
    EXPECT_EQ(places[8], Place(112, 16));
    EXPECT_EQ(places.back(), Place(592, 464));
    // Full: nothing is written.
    EXPECT_EQ(Place(x, y), Place(592, 464));

    tw::test::TestGump* gump = Open(300, 300, 50, 50);
    gump->iconSlotX = 112;
    gump->iconSlotY = 80;
    ReleaseMinimizedPosition(gump);
    ASSERT_TRUE(AllocMinimizedPosition(&x, &y));
    EXPECT_EQ(Place(x, y), Place(112, 80));
}

TEST_F(MinimizeTest, AGumpReturnsToWhereItsIconWasLastLeft) {
    UseScreen(640, 480);
    tw::test::TestGump* gump = Open(300, 200, 50, 50);
    CGump::Minimize(gump);
    EXPECT_TRUE(gump->minimized);
    EXPECT_EQ(Place(gump->x, gump->y), Place(16, 16));

    // The icon is moved, the gump restored (its place goes back to the
    // table) and minimized again: it goes where the icon was left.
    gump->x = 40;
    gump->y = 60;
    CGump::Restore(gump);
    EXPECT_FALSE(gump->minimized);
    EXPECT_EQ(Place(gump->x, gump->y), Place(300, 200));
    tw::test::TestGump* other = Open(10, 10, 50, 50);
    CGump::Minimize(other);
    EXPECT_EQ(Place(other->x, other->y), Place(16, 16));
    CGump::Minimize(gump);
    EXPECT_EQ(Place(gump->x, gump->y), Place(40, 60));
}

TEST_F(MinimizeTest, WithoutArrangingAGumpKeepsItsOwnIconPlace) {
    UseScreen(640, 480);
    AutoArrangeMinimized = FALSE;
    tw::test::TestGump* gump = Open(300, 200, 50, 50);
    gump->iconX = 0;
    gump->iconY = 0;
    CGump::Minimize(gump);
    EXPECT_EQ(Place(gump->x, gump->y), Place(0, 0));
    int x = 0, y = 0;
    ASSERT_TRUE(AllocMinimizedPosition(&x, &y));
    EXPECT_EQ(Place(x, y), Place(16, 16));
}

}  // namespace
