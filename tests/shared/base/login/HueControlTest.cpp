// The hue grid: the hue of each cell by mode, and the cell under a point.
#include <cstdlib>

#include "login/HueControl.h"
#include "resources/HueManager.h"
#include "shared/base/gumps/GumpTestSupport.h"

namespace {

class HueControlTest : public tw::test::GumpTest {};

TEST_F(HueControlTest, CellsFollowTheModeTables) {
    struct Case {
        int mode;
        int rows, columns;
        int row, column;
        int hue;
    } cases[] = {
        {0, 8, 8, 0, 0, 1001},  {0, 8, 8, 7, 6, 1056},   {0, 8, 8, 7, 7, 1057},
        {1, 8, 6, 1, 2, 1118},  {2, 8, 6, 7, 5, 1148},   {3, 50, 20, 0, 0, 201},
        {4, 50, 20, 1, 0, 401}, {5, 50, 20, 2, 3, 816},  {3, 50, 20, 3, 0, 102},
        {3, 50, 20, 7, 0, 103}, {3, 50, 20, 0, 19, 296}, {3, 50, 20, 2, 19, 896},
        {9, 8, 8, 0, 1, 1009},  // any other mode is 0
    };
    for (const Case& c : cases) {
        CHueControl control(0, 0, 125, 280, c.mode, nullptr, 0, FALSE);
        EXPECT_EQ(control.rows, c.rows) << c.mode;
        EXPECT_EQ(control.columns, c.columns) << c.mode;
        EXPECT_EQ(control.CellValue(c.row, c.column), c.hue)
            << "mode " << c.mode << " cell " << c.row << "," << c.column;
    }
}

TEST_F(HueControlTest, PointsMapToClampedCellsAndTheOwnerHears) {
    struct Owner : tw::test::TestGump {
        Owner() : TestGump(0, 0, 200, 300) {}
        void HandleButton(CGump* child) override { heard = child; }
        CGump* heard = nullptr;
    };
    auto* owner = new Owner();
    owner->PutInGump(nullptr);
    auto* control = new CHueControl(0, 0, 125, 280, 3, owner, 0, FALSE);
    control->PutInGump(owner);
    // 125 / 20 = 6 wide with a margin of 2; 280 / 50 = 5 high with 15.
    EXPECT_EQ(control->leftMargin, 2);
    EXPECT_EQ(control->topMargin, 15);
    struct Point {
        int x, y, row, column;
    } points[] = {{8, 15, 0, 1}, {0, 0, 0, 0}, {124, 279, 49, 19}, {500, -40, 0, 19}};
    for (const Point& p : points) {
        control->HandleMouseMove(p.x, p.y);
        EXPECT_EQ(control->selectedRow, p.row) << p.x << "," << p.y;
        EXPECT_EQ(control->selectedColumn, p.column) << p.x << "," << p.y;
        EXPECT_EQ(control->hue, control->CellValue(p.row, p.column));
    }
    EXPECT_EQ(owner->heard, control);
    control->HandleLButtonDown(8, 15);
    EXPECT_FALSE(control->visible);

    // Too small for its grid: cells of one pixel, no division by zero.
    CHueControl tiny(0, 0, 3, 3, 3, nullptr, 0, FALSE);
    tiny.HandleMouseMove(2, 2);
    EXPECT_EQ(tiny.selectedColumn, 1);  // (2 - margin 1) / 1

    // A randomised control starts on a cell of its grid and takes its hue.
    srand(7);
    CHueControl random(0, 0, 125, 280, 4, nullptr, 0, TRUE);
    EXPECT_EQ(random.hue, random.CellValue(random.selectedRow, random.selectedColumn));
}

}  // namespace
