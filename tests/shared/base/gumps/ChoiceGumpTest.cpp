// The choice lists: row mapping, the press and its repeat on the clock,
// filling a field, the scroll bar, the sort row, what closing the shard
// list does, the table's limits, and the pictures with their hues.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "gumps/ButtonGump.h"
#include "gumps/ChoiceGump.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpManager.h"
#include "gumps/TiledDraw.h"
#include "gumps/WaitingGump.h"
#include "resources/FontManager.h"

namespace {

using tw::test::ControlTest;

class RecordingShards : public ShardChoice {
public:
    void SelectShard(int id, const char* name) override {
        calls.push_back("SelectShard " + std::to_string(id) + " " + name);
    }
    void SortShards(CScrollChoiceGump*, int key) override {
        calls.push_back("SortShards " + std::to_string(key));
    }
    void ShardListCancelled() override { calls.push_back("ShardListCancelled"); }
    std::vector<std::string> calls;
};

class ChoiceGumpTest : public ControlTest {
protected:
    // A plain list of 300 x 200 (rows from (20, 10) to (280, 170), 7 pixels
    // each) with count choices "shard <i>" of id 10 + i.
    CScrollChoiceGump* NewList(int count, CInputControlGump* field = nullptr,
                               BOOL sortVariant = FALSE) {
        auto* list =
            new CScrollChoiceGump(owner, 3500, 20, 20, 300, 200, field, sortVariant, FALSE);
        for (int i = 0; i < count; ++i)
            list->AddChoice(10 + i, ("shard " + std::to_string(i)).c_str(), 0);
        list->PutInGump(nullptr);
        return list;
    }
    CInputControlGump* NewField() {
        auto* field = new CInputControlGump(0, 0, owner, 100, 20, CInputControlGump::LIST, 30, 5,
                                            902, FALSE, TRUE, 0);
        field->PutInGump(owner);
        return field;
    }
    static bool IsOpen(CGump* gump) { return CGumpManager::IsGumpOpen(gump); }
    // Presses at (x, y), runs `ticks` ticks, then releases.
    static void Press(CChoiceListGump* list, int px, int py, int ticks) {
        // A choice may close the list.
        GumpHandle alive(list);
        list->HandleLButtonDown(px, py);
        for (int i = 0; i < ticks && alive; ++i) list->Tick();
        if (alive) list->HandleLButtonUp(px, py);
    }

    void SetUp() override {
        ControlTest::SetUp();
        // After the fixture installed the program's stand-ins.
        shardService_.emplace(&shards);
    }
    void TearDown() override {
        ControlTest::TearDown();
        shardService_.reset();
    }

    RecordingShards shards;
    std::optional<tw::ScopedService<ShardChoice>> shardService_;
};

TEST_F(ChoiceGumpTest, PointsMapToRowsInsideTheListRectangleOnly) {
    CScrollChoiceGump* list = NewList(3);
    ASSERT_EQ(list->RowHeight(), 7);
    struct Case {
        int x, y, first, row;
    };
    const Case cases[] = {
        {20, 10, 0, 0},  {280, 16, 0, 0},  {20, 17, 0, 1},   {150, 30, 0, 2},
        {19, 10, 0, -1}, {281, 10, 0, -1}, {50, 9, 0, -1},   {50, 31, 0, -1},
        {50, 10, 1, 1},  {50, 24, 1, -1},  {50, 170, 0, -1}, {50, 171, 0, -1},
    };
    for (const Case& c : cases) {
        list->firstVisible = c.first;
        EXPECT_EQ(list->RowAt(c.x, c.y), c.row) << c.x << ", " << c.y << " from " << c.first;
    }
    list->firstVisible = 0;
    list->HandleMouseMove(50, 18);
    EXPECT_EQ(list->hovered, 1);
    list->HandleMouseMove(50, 40);
    EXPECT_EQ(list->hovered, -1) << "below the last row";
    list->HandleMouseMove(50, 18);
    list->HandleMouseMoveAway();
    EXPECT_EQ(list->hovered, -1);
}

TEST_F(ChoiceGumpTest, APressTakesItsRowOnTheFirstTickAndEverySecondOne) {
    CScrollChoiceGump* list = NewList(3);
    Press(list, 50, 18, 5);
    EXPECT_EQ(shards.calls,
              (std::vector<std::string>{"SelectShard 11 shard 1", "SelectShard 11 shard 1",
                                        "SelectShard 11 shard 1"}));
    EXPECT_FALSE(list->cancelled);
    shards.calls.clear();
    list->Tick();
    EXPECT_TRUE(shards.calls.empty()) << "released";
    Press(list, 50, 40, 3);
    EXPECT_TRUE(shards.calls.empty()) << "below the last row nothing is taken";
}

// A click released before any tick still takes its row, once; the quick
// second click of a double click takes nothing more.
TEST_F(ChoiceGumpTest, AClickQuickerThanATickTakesItsRowOnce) {
    CScrollChoiceGump* list = NewList(3);
    SetNow(1000);
    Press(list, 50, 18, 0);
    EXPECT_EQ(shards.calls, std::vector<std::string>{"SelectShard 11 shard 1"});
    SetNow(1100);
    Press(list, 50, 18, 0);
    EXPECT_EQ(shards.calls.size(), 1u);
    SetNow(2000);
    list->Tick();
    Press(list, 50, 11, 1);
    EXPECT_EQ(shards.calls.back(), "SelectShard 10 shard 0");
    EXPECT_EQ(shards.calls.size(), 2u) << "taken by the tick, not again by the release";
}

TEST_F(ChoiceGumpTest, DoubleClickAndLongPressFollowTheClock) {
    CScrollChoiceGump* list = NewList(3);
    SetNow(2000);
    Press(list, 50, 11, 1);
    SetNow(2200);
    list->HandleLButtonDown(50, 11);
    EXPECT_EQ(list->clickState, 2) << "a second press within 250 ms";
    list->HandleLButtonUp(50, 11);
    EXPECT_EQ(list->clickState, 0);
    EXPECT_EQ(shards.calls.size(), 1u) << "the double click adds nothing";

    SetNow(3000);
    list->HandleLButtonDown(50, 11);
    SetNow(3250);
    list->Tick();
    EXPECT_EQ(list->longPress, 0) << "exactly 250 ms is not yet long";
    SetNow(3251);
    list->Tick();
    EXPECT_EQ(list->longPress, 1);
    EXPECT_EQ(list->clickState, 0);
    list->HandleLButtonUp(50, 11);
    EXPECT_EQ(list->longPress, 0);

    // The clock wraps: the difference still counts.
    SetNow(0xFFFFFF00u);
    list->HandleLButtonDown(50, 11);
    SetNow(0x00000010u);
    list->Tick();
    EXPECT_EQ(list->longPress, 1);
    list->HandleLButtonUp(50, 11);
}

TEST_F(ChoiceGumpTest, AChoiceFillsTheFieldTellsTheOwnerAndClosesTheList) {
    CInputControlGump* field = NewField();
    CScrollChoiceGump* list = NewList(3, field);
    Press(list, 50, 25, 1);
    EXPECT_FALSE(IsOpen(list));
    EXPECT_EQ(field->value, 12);
    EXPECT_STREQ(field->text, "shard 2");
    EXPECT_EQ(owner->calls, (std::vector<std::string>{"HandleButton InputControl gump", "Reveal"}));
    EXPECT_TRUE(shards.calls.empty());

    // The panel tells its owner of the press, of the field and of itself.
    owner->calls.clear();
    auto* panel = new CPanelChoiceGump(10, 10, 130, 40, owner, field, 3500, FALSE);
    panel->AddChoice(1, "Skin Tone", 1153);
    panel->PutInGump(nullptr);
    Press(panel, 5, 3, 1);
    EXPECT_TRUE(IsOpen(panel));
    EXPECT_EQ(field->value, 1);
    EXPECT_EQ(owner->calls, (std::vector<std::string>{"HandleButton CPanelChoiceGump",
                                                      "HandleButton InputControl gump",
                                                      "HandleButton CPanelChoiceGump"}));
    EXPECT_FALSE(panel->IsDisposable());
    panel->HandleRButtonUp(1, 1);
    EXPECT_TRUE(panel->cancelled);
    EXPECT_TRUE(IsOpen(panel));
}

TEST_F(ChoiceGumpTest, TheScrollBarMovesTheFirstRowWithinTheList) {
    CScrollChoiceGump* list = NewList(5);
    list->HandleScroll(10, 10, list->thumb);
    EXPECT_EQ(list->firstVisible, 4) << "the end of the track is the last row";
    list->HandleScroll(2, 10, list->thumb);
    EXPECT_EQ(list->firstVisible, 1);
    list->HandleScroll(3, 0, list->thumb);
    EXPECT_EQ(list->firstVisible, 0) << "a track of no length";

    // The arrows: the second child from the front is the up arrow.
    CButtonGump* down = static_cast<CButtonGump*>(list->firstChild);
    CButtonGump* up = static_cast<CButtonGump*>(down->next);
    ASSERT_EQ(down->artId, CScrollChoiceGump::DOWN_ART);
    ASSERT_EQ(up->artId, CScrollChoiceGump::UP_ART);
    for (int i = 0; i < 7; ++i) {
        down->HandleLButtonDown(1, 1);
        down->HandleLButtonUp(1, 1);
    }
    EXPECT_EQ(list->firstVisible, 4);
    EXPECT_GT(list->thumb->y, list->thumb->minY) << "the thumb follows";
    up->HandleLButtonDown(1, 1);
    up->HandleLButtonUp(1, 1);
    EXPECT_EQ(list->firstVisible, 3);
    for (int i = 0; i < 5; ++i) {
        up->HandleLButtonDown(1, 1);
        up->HandleLButtonUp(1, 1);
    }
    EXPECT_EQ(list->firstVisible, 0);
    EXPECT_EQ(list->thumb->y, list->thumb->minY);
    EXPECT_EQ(up->x, 300 - 20);
    EXPECT_EQ(down->y, 200 - 20);
}

TEST_F(ChoiceGumpTest, TheSortVariantHasItsRowAndSaysHowItClosed) {
    CScrollChoiceGump* list = NewList(3, nullptr, TRUE);
    EXPECT_EQ(list->listRect.left, 74);
    EXPECT_EQ(list->listRect.bottom, 200 - 67);
    std::vector<CButtonGump*> sorts;
    CInputControlGump* label = nullptr;
    for (CGump* c = list->firstChild; c; c = c->next) {
        if (c->IsInputControlGump()) label = static_cast<CInputControlGump*>(c);
        if (c->IsButtonGump() && c->y == 200 - 40)
            sorts.insert(sorts.begin(), static_cast<CButtonGump*>(c));
    }
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->text, "Sort by:");
    EXPECT_EQ(label->y, 160);
    ASSERT_EQ(sorts.size(), 3u);
    const int xs[] = {80, 188, 296}, arts[] = {2363, 2366, 2369}, tips[] = {100060, 100059, 100058};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sorts[i]->x, xs[i]);
        EXPECT_EQ(sorts[i]->artId, arts[i]);
        EXPECT_EQ(sorts[i]->pressedArt, arts[i] + 1);
        EXPECT_EQ(sorts[i]->hoverArt, arts[i] + 2);
        EXPECT_EQ(sorts[i]->tooltipId, tips[i]);
        sorts[i]->HandleLButtonDown(1, 1);
        sorts[i]->HandleLButtonUp(1, 1);
    }
    EXPECT_EQ(shards.calls,
              (std::vector<std::string>{"SortShards 0", "SortShards 1", "SortShards 2"}));

    // A right click closes it only when its creator allows it; closed
    // without a choice it goes back to the main menu.
    shards.calls.clear();
    list->HandleRButtonUp(5, 5);
    EXPECT_TRUE(IsOpen(list));
    list->SetCloseOnRightClick(TRUE);
    list->HandleRButtonUp(5, 5);
    EXPECT_FALSE(IsOpen(list));
    EXPECT_EQ(shards.calls, (std::vector<std::string>{"ShardListCancelled"}));

    // Closed after a choice, it leaves a box saying it is connecting, with
    // no button.
    shards.calls.clear();
    list = NewList(3, nullptr, TRUE);
    Press(list, 80, 11, 1);
    delete list;
    EXPECT_EQ(shards.calls, (std::vector<std::string>{"SelectShard 10 shard 0"}));
    auto* box = static_cast<CWaitingGump*>(g_gumpList);
    ASSERT_TRUE(box && box->IsWaitingGump());
    EXPECT_STREQ(reinterpret_cast<const char*>(box->text), "Connecting... ");
    ASSERT_NE(box->firstChild, nullptr);
    EXPECT_FALSE(box->firstChild->visible);
}

TEST_F(ChoiceGumpTest, TheTableDropsTheHundredAndFirstChoiceAndCutsTexts) {
    CScrollChoiceGump* list = NewList(100);
    list->AddChoice(999, "one too many", 0);
    const M_WORD wide[] = {'x', 0};
    list->AddChoice(998, wide, 0);
    EXPECT_EQ(list->count, 100);
    EXPECT_EQ(list->ids[99], 109);
    list->count = 0;
    list->ClearChoices();
    list->AddChoice(1, std::string(200, 'a').c_str(), 0);
    std::vector<M_WORD> long16(200, 'b');
    long16.push_back(0);
    list->AddChoice(2, long16.data(), 0);
    EXPECT_EQ(std::string(list->texts[0]), std::string(79, 'a'));
    EXPECT_EQ(list->wideTexts[1][79], 0);
    EXPECT_EQ(list->wideTexts[1][78], 'b');
    list->RenderChoices();
}

TEST_F(ChoiceGumpTest, AnEmptyListAndAMissingFontAreSafe) {
    CScrollChoiceGump* list = NewList(0);
    list->HandleScroll(5, 10, list->thumb);
    EXPECT_EQ(list->firstVisible, 0);
    list->HandleMouseMove(50, 11);
    EXPECT_EQ(list->hovered, -1);
    Press(list, 50, 11, 3);
    EXPECT_TRUE(shards.calls.empty());

    // No fonts at all: rows have no height, so no point maps to a row and
    // nothing is drawn, rather than dividing by 0 or drawing for ever.
    list->AddChoice(1, "a", 0);
    FontManager::reset();
    EXPECT_EQ(list->RowHeight(), 0);
    EXPECT_EQ(list->RowAt(50, 11), -1);
    list->RenderChoices();
    Press(list, 50, 11, 3);
    EXPECT_TRUE(shards.calls.empty());
}

// The hues of the rows: the default hue for hue 0, a row's own hue, the
// hover hue; the sort variant's markers and the title; and the panel lit as
// a whole.
TEST_F(ChoiceGumpTest, PicturesOfTheListsShowTheirHues) {
    SetTiledFrameRandom([] { return 0; });
    auto* list = new CScrollChoiceGump(owner, 3500, 0, 0, 400, 150, nullptr, TRUE, FALSE);
    list->AddChoice(1, "plain", 0);
    list->AddChoice(2, "green", 700);
    list->AddChoice(3, "hovered", 0);
    list->AddChoice(4, "marked", 0);
    list->markers[1] = 4;
    list->hovered = 2;
    snprintf(list->title, sizeof list->title, "A title wrapped within the frame, in font six");
    list->RenderChoices();
    EXPECT_TRUE(
        tw::test::MatchesGolden(BitmapOf(list), "shared/base/gumps/golden/choice_list.png"));
    delete list;

    auto* panel = new CPanelChoiceGump(0, 0, 130, 40, owner, nullptr, 3500, FALSE);
    panel->AddChoice(1, "Skin Tone", 1153);
    panel->HandleMouseMove(60, 30);
    const tw::test::Image16 lit = BitmapOf(panel);
    panel->HandleMouseMoveAway();
    const tw::test::Image16 plain = BitmapOf(panel);
    EXPECT_NE(lit.pixels, plain.pixels);
    tw::test::Image16 both = lit;
    both.height += plain.height;
    both.pixels.insert(both.pixels.end(), plain.pixels.begin(), plain.pixels.end());
    EXPECT_TRUE(tw::test::MatchesGolden(both, "shared/base/gumps/golden/choice_panel.png"));
    delete panel;
}

}  // namespace
