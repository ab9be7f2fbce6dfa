// The check box: its frame size, the art for each state, clicks that flip
// it and tell the owner, a fixed box that keeps its state, and its hit test.
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "gumps/ToggleControlGump.h"
#include "support/datafiles/ArtFormats.h"

namespace {

using tw::datafiles::Rgb555;
using tw::test::ControlTest;

// The art colour the fixture gives gump art id.
M_WORD ArtColour(int id) {
    return Rgb555(40 + id % 7 * 30, 60 + id % 5 * 35, 90 + id % 3 * 50);
}

class ToggleControlTest : public ControlTest {
protected:
    CToggleControlGump* Make(const char* label, int state) {
        auto* toggle = new CToggleControlGump(5, 5, owner, kFieldArt, kSelectedArt, 1, 902, label,
                                              state, kEmptyArt, kReadOnlyArt);
        toggle->PutInGump(owner);
        return toggle;
    }
};

TEST_F(ToggleControlTest, FrameIsArtGapAndLabelMadeEven) {
    struct Case {
        const char* label;
        int width;
    } cases[] = {{nullptr, 104}, {"ab", 100 + 4 + 12}, {"ab*", 100 + 4 + 15 + 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label ? c.label : "(none)");
        CToggleControlGump* toggle = Make(c.label, 0);
        EXPECT_EQ(toggle->width, c.width);
        EXPECT_EQ(toggle->height, 20);
        delete toggle;
    }
}

TEST_F(ToggleControlTest, AClickFlipsTheStateAndTellsTheOwner) {
    CToggleControlGump* toggle = Make("ab", 0);
    EXPECT_EQ(BitmapPixel(toggle, 1, 1), ArtColour(kFieldArt));
    toggle->HandleLButtonDown(1, 1);
    toggle->HandleLButtonUp(1, 1);
    EXPECT_EQ(toggle->State(), 1);
    EXPECT_EQ(BitmapPixel(toggle, 1, 1), ArtColour(kSelectedArt));
    EXPECT_EQ(owner->calls, std::vector<std::string>{"HandleButton ToggleControl gump"});
    // The label beside the art survives the redraw; the gap stays empty.
    int labelPixels = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 104; x < 116; ++x) labelPixels += BitmapPixel(toggle, x, y) != 0;
    EXPECT_GT(labelPixels, 0);
    EXPECT_FALSE(toggle->HitTest(101, 10));
    EXPECT_TRUE(toggle->HitTest(1, 1));

    toggle->HandleRButtonUp(2, 3);
    EXPECT_EQ(owner->calls.back(), "HandleRButtonUp 7 8");
}

TEST_F(ToggleControlTest, AFixedBoxKeepsItsStateAndShowsItsAlternateArt) {
    CToggleControlGump* toggle = Make(nullptr, 1);
    toggle->fixed = TRUE;
    toggle->Redraw();
    EXPECT_EQ(BitmapPixel(toggle, 1, 1), ArtColour(kReadOnlyArt));
    toggle->HandleLButtonDown(1, 1);
    toggle->HandleLButtonUp(1, 1);
    EXPECT_EQ(toggle->State(), 1);
    EXPECT_EQ(BitmapPixel(toggle, 1, 1), ArtColour(kReadOnlyArt));
    EXPECT_TRUE(owner->calls.empty());
}

}  // namespace
