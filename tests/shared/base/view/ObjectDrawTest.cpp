// Objects as drawn: hues, the ghost view's grey, hidden objects that are
// blended instead, and objects without art.
#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "resources/GraphicManager.h"
#include "view/DrawManager.h"
#include "view/Light.h"
#include "view/Repaint.h"
#include "view/ViewGeometry.h"
#include "view/WorldView.h"
#include "world/ObjectManager.h"

namespace {

namespace sample = tw::datafiles::sample;
using tw::test::Image16;

class ObjectDraw : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        StartSampleWorld();
        UseBackBuffer(640, 480, 640, 480, false);
        PlacePlayer(sample::kLakeShore.x, sample::kLakeShore.y);
    }
    Image16 Frame() {
        InvalidateScreen();
        Paint();
        return PlayArea();
    }
    // A crate the server places two cells east of the player.
    CDynamicObj* Crate(int hue) {
        CObjectManager::HandleMove(tw::test::kItemSerial, sample::kCrate, 0, 1,
                                   sample::kLakeShore.x + 2, sample::kLakeShore.y, 0, 0, hue, 0);
        return CObjectManager::FindObject(tw::test::kItemSerial);
    }
    // The pixels of the frame inside r that differ from the empty frame.
    static int Changed(const Image16& a, const Image16& b, const RECT& r) {
        int n = 0;
        for (int y = std::max(r.top, 0); y < std::min<int>(r.bottom, a.height); ++y)
            for (int x = std::max(r.left, 0); x < std::min<int>(r.right, a.width); ++x)
                n += a.at(x, y) != b.at(x, y);
        return n;
    }
};

TEST_F(ObjectDraw, HuesRecolourUpTo60000AndHideAbove) {
    const Image16 empty = Frame();
    CDynamicObj* crate = Crate(0);
    const RECT area = ScreenRectOf(crate);
    const Image16 plain = Frame();
    EXPECT_GT(Changed(plain, empty, area), 300);

    crate->hue = 60000;
    const Image16 last = Frame();
    EXPECT_GT(Changed(last, empty, area), 300) << "hue 60000 is drawn";
    EXPECT_EQ(Changed(last, plain, area), 0) << "through no hue of the table: unhued";

    crate->hue = 60001;
    EXPECT_EQ(Changed(Frame(), empty, area), 0) << "hue 60001 and above: not drawn";

    crate->hue = 34;
    EXPECT_GT(Changed(Frame(), plain, area), 300) << "a hue of the table recolours";
}

TEST_F(ObjectDraw, AGhostSeesTheWholeWorldGreyAndObjectsKeepTheirHues) {
    CDynamicObj* crate = Crate(34);
    pPlayerObject->objectType = 402;
    const Image16 ghost = Frame();
    EXPECT_EQ(crate->hue, 34) << "grey is for the draw only";
    // Land, textured land and objects (through the grey hue 995) alike.
    for (int y = 0; y < ghost.height; ++y)
        for (int x = 0; x < ghost.width; ++x) {
            const int p = ghost.at(x, y);
            ASSERT_TRUE((p >> 10 & 31) == (p >> 5 & 31) && (p >> 5 & 31) == (p & 31))
                << x << "," << y << ": " << p;
        }
}

TEST_F(ObjectDraw, AHiddenObjectIsDrawnBlendedOnlyWhenItsGraphicSaysSo) {
    const Image16 empty = Frame();
    CDynamicObj* crate = Crate(0);
    const RECT area = ScreenRectOf(crate);
    const Image16 shown = Frame();
    DrawManager::roofLimit = 0;  // everything at z 0 and above is cut away
    EXPECT_EQ(Changed(Frame(), empty, area), 0);

    ItemTileData& tile = CObjectManager::itemTiles[sample::kCrate];
    tile.flags |= 0x20000;
    const M_DWORD flags = tile.flags;
    const Image16 blended = Frame();
    EXPECT_GT(Changed(blended, empty, area), 300);
    EXPECT_GT(Changed(blended, shown, area), 300) << "see-through, not as shown";
    EXPECT_EQ(tile.flags, flags) << "the tile data is as it was";
}

TEST_F(ObjectDraw, AnObjectWithoutArtShowsLandTileZero) {
    const Image16 empty = Frame();
    CObjectManager::HandleMove(tw::test::kItemSerial, 5000, 0, 1, sample::kLakeShore.x + 2,
                               sample::kLakeShore.y, 0, 0, 0, 0);
    CDynamicObj* thing = CObjectManager::FindObject(tw::test::kItemSerial);
    const RECT area = ScreenRectOf(thing);
    EXPECT_EQ(area.right - area.left, 44);
    EXPECT_EQ(area.bottom - area.top, 44);
    EXPECT_GT(Changed(Frame(), empty, area), 500);
}

}  // namespace
