// The list boxes: growth and placement on both screen sizes, the item limit,
// hover and choosing, scrolling by hovering, and their pictures.
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "gumps/GumpManager.h"
#include "gumps/ListBoxGump.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"

namespace {

using tw::test::ControlTest;
using Box = CListBoxControlGump;

class ListBoxTest : public ControlTest {
protected:
    // A list box at (x, y) over the test column in font 5, hue 902.
    static Box* NewBox(int x, int y, int visibleRows, int items) {
        auto* box = new Box(x, y, kColumnArt, 0, 0, 5, 902, visibleRows);
        for (int i = 0; i < items; ++i)
            box->AddItem(100 + i, ("item " + std::to_string(i)).c_str());
        return box;
    }
    static bool IsOpen(CGump* gump) { return CGumpManager::IsGumpOpen(gump); }
    // A text field of the owner that a list fills.
    CInputControlGump* NewField() {
        auto* field = new CInputControlGump(0, 0, owner, 100, 20, CInputControlGump::LIST, 30, 5,
                                            902, FALSE, TRUE, 0);
        field->PutInGump(owner);
        field->SetText("old");
        field->value = 7;
        return field;
    }
    // The row's middle, in box coordinates.
    static int RowY(const Box* box, int row) {
        return box->TopHeight() + row * Box::ROW_HEIGHT + 7;
    }
};

TEST_F(ListBoxTest, TheBoxGrowsWithItsItemsAndStaysOnTheScreen) {
    struct Case {
        const char* what;
        int screenWidth, screenHeight;
        int y, visibleRows, items;
        int height, finalY;
    };
    // The box starts as high as the column's top and bottom pieces (12).
    const Case cases[] = {
        {"fits at 640x480", 640, 480, 100, 0, 10, 152, 100},
        {"ends at the bottom at 640x480", 640, 480, 400, 0, 10, 152, 328},
        {"fits at 800x600", 800, 600, 400, 0, 10, 152, 400},
        {"ends at 600 at 800x600", 800, 600, 500, 0, 10, 152, 448},
        {"auto-scroll grows to its visible rows and keeps 20 below", 640, 480, 420, 5, 10, 82, 378},
        {"the same at 800x600", 800, 600, 540, 5, 10, 82, 498},
        {"taller than the screen: at the top", 640, 480, 100, 0, 40, 572, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UseScreen(c.screenWidth, c.screenHeight);
        Box* box = NewBox(50, c.y, c.visibleRows, c.items);
        EXPECT_EQ(box->height, c.height);
        EXPECT_EQ(box->y, c.finalY);
        EXPECT_FALSE(box->visible) << "the opener shows it";
        delete box;
    }
}

TEST_F(ListBoxTest, ItemsAreLimitedToAHundredAndTextsToForty) {
    Box* box = NewBox(50, 0, 3, 100);
    box->AddItem(999, "one too many");
    EXPECT_EQ(box->count, 100);
    EXPECT_EQ(box->ids[99], 199);

    Box* wide = NewBox(200, 0, 0, 0);
    ASSERT_EQ(wide->width, 120);
    // 108 pixels hold 18 characters of 6; 30 characters widen the box by
    // 72 pixels, half of it to the left.
    wide->AddItem(1, std::string(30, 'w').c_str());
    EXPECT_EQ(wide->width, 192);
    EXPECT_EQ(wide->x, 164);
    wide->AddItem(2, std::string(60, 'x').c_str());
    EXPECT_EQ(std::string(wide->texts[1]), std::string(40, 'x'));
    EXPECT_EQ(wide->width, 40 * 6 + 12);
    delete box;
    delete wide;
}

TEST_F(ListBoxTest, HoverThenReleaseFillsTheFieldAndCloses) {
    CInputControlGump* field = NewField();
    Box* box = NewBox(50, 50, 0, 3);
    box->PutInGump(nullptr);
    box->visible = TRUE;
    box->inputField.set(field);
    box->DrawItem(-1);

    box->HandleMouseDrag(10, RowY(box, 1));
    EXPECT_EQ(box->hovered, 1);
    box->HandleMouseDrag(10, 2);
    EXPECT_EQ(box->hovered, -1) << "over the top piece";
    box->HandleMouseDrag(10, RowY(box, 2));
    box->HandleLButtonUp(10, RowY(box, 2));
    EXPECT_FALSE(IsOpen(box));
    EXPECT_EQ(field->value, 102);
    EXPECT_STREQ(field->text, "item 2");
    EXPECT_EQ(owner->calls, (std::vector<std::string>{"HandleButton InputControl gump"}));

    // Released outside every item: closed, the field untouched.
    owner->calls.clear();
    box = NewBox(50, 50, 0, 3);
    box->PutInGump(nullptr);
    box->inputField.set(field);
    box->HandleMouseDrag(500, RowY(box, 1));
    box->HandleLButtonUp(500, RowY(box, 1));
    EXPECT_FALSE(IsOpen(box));
    EXPECT_EQ(field->value, 102);
    EXPECT_TRUE(owner->calls.empty());

    // The field closed while its list was open: the list only closes.
    box = NewBox(50, 50, 0, 3);
    box->PutInGump(nullptr);
    box->inputField.set(field);
    box->HandleMouseDrag(10, RowY(box, 0));
    delete field;
    EXPECT_FALSE(box->inputField);
    box->HandleLButtonUp(10, RowY(box, 0));
    EXPECT_FALSE(IsOpen(box));
}

// As its opener leaves it: holding the capture while the button is still
// down, so that the mouse manager's drags move the hover and the release
// chooses.
TEST_F(ListBoxTest, TheMouseManagerDragsTheHoverAndTheReleaseChooses) {
    CInputControlGump* field = NewField();
    Box* box = NewBox(50, 50, 0, 3);
    box->PutInGump(nullptr);
    box->visible = TRUE;
    box->inputField.set(field);
    MouseManager::SetCapture(box);
    MouseManager::SetPos(60, 50 + RowY(box, 1));
    MouseManager::Update();
    EXPECT_EQ(box->hovered, 1);
    MouseManager::OnLButtonUp(60, 50 + RowY(box, 1));
    EXPECT_FALSE(IsOpen(box));
    EXPECT_EQ(MouseManager::GetCapture(), nullptr);
    EXPECT_EQ(field->value, 101);
}

TEST_F(ListBoxTest, HoveringAboveOrBelowScrollsWithinTheItems) {
    Box* box = NewBox(50, 100, 3, 10);
    box->PutInGump(nullptr);
    box->visible = TRUE;
    MouseManager::SetPos(60, 100 + box->height + 5);
    for (int i = 0; i < 12; ++i) box->Tick();
    EXPECT_EQ(box->first, 7) << "the last three rows shown";
    MouseManager::SetPos(60, 100 + box->height / 2);
    box->Tick();
    EXPECT_EQ(box->first, 7) << "over the box nothing scrolls";
    MouseManager::SetPos(60, 90);
    for (int i = 0; i < 12; ++i) box->Tick();
    EXPECT_EQ(box->first, 0);

    // A hovered row scrolled out of sight shows no bar (below the shown
    // rows it would lie over the bottom piece).
    box->first = 1;
    box->HandleMouseDrag(10, RowY(box, 2));
    ASSERT_EQ(box->hovered, 3);
    box->Tick();
    ASSERT_EQ(box->first, 0);
    const tw::test::Image16 scrolled = BitmapOf(box);
    box->hovered = -1;
    box->DrawItem(-1);
    EXPECT_EQ(scrolled.pixels, BitmapOf(box).pixels);
    box->HandleMouseDrag(10, RowY(box, 1));
    EXPECT_EQ(box->hovered, 1);
}

// A box drawn whole, with a hovered row and the scroll marks; and a row
// repainted alone gives the same picture as the box drawn whole.
TEST_F(ListBoxTest, PicturesOfTheBoxAndOfOneRowRepainted) {
    SetTiledFrameRandom([] { return 0; });
    Box* box = NewBox(50, 50, 4, 6);
    box->PutInGump(nullptr);
    box->visible = TRUE;
    box->first = 1;
    box->DrawItem(-1);
    box->HandleMouseDrag(10, RowY(box, 2));
    ASSERT_EQ(box->hovered, 3);
    const tw::test::Image16 rowByRow = BitmapOf(box);
    box->DrawItem(-1);
    EXPECT_EQ(BitmapOf(box).pixels, rowByRow.pixels);
    EXPECT_TRUE(tw::test::MatchesGolden(rowByRow, "shared/base/gumps/golden/list_box.png"));

    // The box grew after its first draw: the bitmap is made again at the
    // new size before anything is drawn into it.
    Box* growing = NewBox(50, 50, 0, 2);
    growing->PutInGump(nullptr);
    growing->DrawItem(-1);
    for (int i = 0; i < 5; ++i) growing->AddItem(i, "more");
    growing->HandleMouseDrag(10, RowY(growing, 6));
    EXPECT_EQ(growing->FrameHeight(0), growing->height);
    EXPECT_EQ(growing->hovered, 6);
}

TEST_F(ListBoxTest, TheFramedListTakesTheRowUnderThePress) {
    CInputControlGump* field = NewField();
    auto* list = new CScrollListBoxGump(20, 20, 3000, 130, 30, owner, 5, 902, 0);
    for (int i = 0; i < 4; ++i) list->AddItem(i, ("style " + std::to_string(i)).c_str());
    list->PutInGump(nullptr);
    list->visible = TRUE;
    list->inputField.set(field);
    field->value = 1;

    list->HandleMouseDrag(5, -30);
    EXPECT_EQ(list->hovered, 0) << "above the list: the first row";
    list->HandleMouseDrag(5, 500);
    EXPECT_EQ(list->hovered, 3) << "below it: the last row";
    list->HandleLButtonDown(5, 1 * 14 + 3);
    EXPECT_TRUE(IsOpen(list)) << "the row of the field's value changes nothing";
    list->HandleLButtonUp(5, 1 * 14 + 3);
    EXPECT_TRUE(IsOpen(list));
    list->HandleLButtonDown(5, 2 * 14 + 3);
    EXPECT_FALSE(IsOpen(list));
    EXPECT_EQ(field->value, 2);
    EXPECT_STREQ(field->text, "style 2");

    // An empty list maps no row and closes on a press.
    auto* empty = new CScrollListBoxGump(20, 20, 3000, 130, 30, owner, 5, 902, 0);
    empty->PutInGump(nullptr);
    empty->HandleMouseDrag(5, -30);
    EXPECT_EQ(empty->hovered, -1);
    empty->DrawItem(-1);
    empty->HandleLButtonDown(5, 5);
    EXPECT_FALSE(IsOpen(empty));
}

}  // namespace
