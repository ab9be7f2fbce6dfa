// The balanced sliders of the stats and skills: a thumb moved to a place
// sets its slider, and the group keeps its sum by moving the other two.
#include <string>
#include <vector>

#include "login/CreationControls.h"
#include "shared/base/gumps/GumpTestSupport.h"
#include "support/datafiles/ArtFormats.h"

namespace {

using tw::datafiles::Image;

struct Recorder : NotifyTarget {
    std::vector<int> codes;
    void OnNotify(int code) override { codes.push_back(code); }
};

class SliderTest : public tw::test::GumpTest {
protected:
    void SetUp() override {
        GumpTest::SetUp();
        // The track is 5 + 3 * 30 + 6 = 101 pixels: 96 of value and the
        // thumb's width.
        tw::test::InstallGumpArt({{213, Image(5, 14, 0x1111)},
                                  {214, Image(30, 14, 0x2222)},
                                  {215, Image(6, 14, 0x3333)},
                                  {216, Image(5, 14, 0x7FFF)}});
    }

    // A group of three sliders of min..max with the given values; the
    // sliders are children of a test gump that owns them.
    SliderGroup* MakeGroup(int code, int total, int min, int max, std::vector<int> values) {
        group_ = std::make_unique<SliderGroup>(&recorder, code, total);
        CGump* owner = Open(0, 0, 640, 480);
        for (int i = 0; i < 3; ++i) {
            auto* s = new SliderGump();
            s->id = i + 1;
            s->SetMin(min);
            s->SetMax(max);
            s->SetValue(values[i]);
            s->UpdateThumb();
            s->PutInGump(owner);
            group_->AddSlider(s);
        }
        return group_.get();
    }

    static std::vector<int> Values(const SliderGroup& g) {
        std::vector<int> v;
        for (const SliderGump* s : g.sliders) v.push_back(s->value);
        return v;
    }

    Recorder recorder;
    std::unique_ptr<SliderGroup> group_;
};

TEST_F(SliderTest, MovingOneSliderKeepsTheGroupSum) {
    struct Case {
        const char* what;
        int min, max, total;
        std::vector<int> before;
        int moved;   // slider index
        int thumbX;  // where its thumb was dragged
        std::vector<int> after;
    } cases[] = {
        {"stat dragged to its minimum", 10, 45, 65, {44, 11, 10}, 0, 0, {10, 28, 27}},
        {"the other would fall below its minimum", 10, 45, 65, {10, 28, 27}, 0, 96, {45, 10, 10}},
        {"the first other would pass its maximum", 0, 50, 100, {50, 0, 50}, 2, 0, {50, 50, 0}},
        {"a difference of -5 splits -2 and -3", 10, 45, 65, {30, 20, 15}, 0, 42, {25, 22, 18}},
        {"the last stat raised to its maximum", 10, 45, 65, {10, 45, 10}, 2, 96, {10, 10, 45}},
        {"a skill raised to its maximum", 0, 50, 100, {0, 50, 50}, 0, 96, {50, 25, 25}},
        {"a thumb past the track end stops at the maximum",
         10,
         45,
         65,
         {44, 11, 10},
         1,
         200,
         {10, 45, 10}},
    };
    for (const Case& c : cases) {
        SliderGroup* g = MakeGroup(11, c.total, c.min, c.max, c.before);
        recorder.codes.clear();
        g->sliders[c.moved]->OnNotify(c.thumbX);
        EXPECT_EQ(Values(*g), c.after) << c.what;
        EXPECT_EQ(g->Sum(), c.total) << c.what;
        EXPECT_EQ(recorder.codes, std::vector<int>{11}) << c.what;
        EXPECT_EQ(g->lastMoved, c.moved + 1) << c.what;
        for (const SliderGump* s : g->sliders)
            EXPECT_EQ(s->thumb->x, (s->value - s->min) * 96 / (s->max - s->min)) << c.what;
    }
}

TEST_F(SliderTest, ThumbPlacesAndDragStayOnTheTrack) {
    SliderGroup* g = MakeGroup(12, 65, 10, 45, {10, 45, 10});
    EXPECT_EQ(g->sliders[0]->thumb->x, 0);
    EXPECT_EQ(g->sliders[1]->thumb->x, 96);
    EXPECT_EQ(g->sliders[0]->width, 101);

    // A drag far to the right stops at the track's end less the thumb.
    SliderThumbGump* thumb = g->sliders[0]->thumb;
    thumb->HandleLButtonDown(2, 3);
    thumb->HandleMouseDrag(500, 3);
    thumb->HandleLButtonUp(500, 3);
    EXPECT_EQ(g->sliders[0]->value, 45);
    EXPECT_EQ(g->Sum(), 65);

    // A slider with no range neither divides by it nor moves.
    SliderGump flat;
    flat.SetMin(20);
    flat.SetMax(20);
    flat.SetValue(99);
    flat.UpdateThumb();
    flat.OnNotify(50);
    EXPECT_EQ(flat.value, 20);
    EXPECT_EQ(flat.thumb->x, 0);
}

TEST_F(SliderTest, SkillListOffersNoRefusedSkill) {
    for (const char* name : {"Stealth", "REMOVE TRAP", "necromancy"})
        EXPECT_FALSE(IsSkillOffered(name)) << name;
    for (const char* name : {"Alchemy", "Stealthy", "Remove"}) EXPECT_TRUE(IsSkillOffered(name));
}

}  // namespace
