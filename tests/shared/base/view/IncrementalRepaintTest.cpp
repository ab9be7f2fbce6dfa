// The repaint's promise: whatever changed and however the view scrolled,
// the back buffer repainted only where it was marked dirty shows what a
// full repaint of the same world shows.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "FrameBuf.h"
#include "ViewTestSupport.h"
#include "config/Config.h"
#include "resources/GraphicManager.h"
#include "view/Light.h"
#include "view/MapManager.h"
#include "view/Repaint.h"
#include "view/WorldView.h"
#include "world/Directions.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;
using tw::test::Image16;

struct RunCase {
    tw::datafiles::sample::Place place;
    unsigned seed;
    int width, height;
    bool is565;
    bool coloured;
    int ambient;
};

class IncrementalRepaint : public tw::test::ViewTest,
                           public ::testing::WithParamInterface<RunCase> {
protected:
    // A full repaint of the same state into a second buffer; the first
    // buffer, its ring start and the (empty) dirty list are left as they
    // were.
    Image16 FullRepaint() {
        std::vector<M_WORD> fresh(backBuffer.size(), 0);
        M_WORD* const saved = g_backBuffer;
        const int savedStart = g_ringStart;
        g_backBuffer = fresh.data();
        InvalidateScreen();
        Paint();
        const Image16 full =
            tw::test::PlayAreaOf(fresh, g_displayWidth, g_displayHeight, 0, PlayAreaWidth(),
                                 PlayAreaHeight(), use565 ? 16 : 15);
        g_backBuffer = saved;
        g_ringStart = savedStart;
        return full;
    }

    // One step of the player, as the walk code plays it.
    void Step(int direction) {
        CPlayer* player = pPlayerObject;
        const int dx = DIR_DX[direction], dy = DIR_DY[direction];
        signed char corners[4];
        MapManager::GetLandCornerZ(player->locX + dx, player->locY + dy, corners);
        player->RemoveFromDrawList();
        player->locX = static_cast<short>(player->locX + dx);
        player->locY = static_cast<short>(player->locY + dy);
        player->z = corners[0];
        player->direction = static_cast<M_BYTE>(direction);
        MapManager::ShiftCenter(dx, dy, player->z);
        const int oldX = g_viewOffsetX, oldY = g_viewOffsetY;
        player->CalcDrawZ();
        const int sx = oldX - g_viewOffsetX, sy = oldY - g_viewOffsetY;
        if (std::abs(sx) < GraphicManager::getGameplayWindowPixelWidth() &&
            std::abs(sy) < GraphicManager::getGameplayWindowPixelHeight() / 2) {
            const int ringBefore = g_ringStart;
            thelightthingie::ScrollView(sx, sy);
            if (g_ringStart != ringBefore) ++ringTurns;
        } else
            InvalidateScreen();
        player->AddToDrawList();
    }

    // Steps that scrolled the picture by turning the ring.
    int ringTurns = 0;
};

TEST_P(IncrementalRepaint, EqualsAFullRepaintAfterEveryFrame) {
    const RunCase& c = GetParam();
    StartSampleWorld();
    UseBackBuffer(c.width, c.height, c.width, c.height, c.is565);
    ColoredLighting = c.coloured ? TRUE : FALSE;
    thelightthingie::ambientLevel = c.ambient;
    PlacePlayer(c.place.x, c.place.y);
    Paint();

    std::mt19937 rng(c.seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int graphics[] = {sample::kCrate, sample::kBarrel, sample::kLamp,     sample::kBush,
                            sample::kTree,  sample::kFloor,  sample::kCampfire, 5000};
    const int hues[] = {0, 33, 1100, 2999, 5000};
    std::string history;
    for (int frame = 0; frame < 80; ++frame) {
        // A few changes a frame.
        for (int change = pick(4); change >= 0; --change) {
            const M_DWORD serial = tw::test::kItemSerial + static_cast<M_DWORD>(pick(10));
            CDynamicObj* object = CObjectManager::FindObject(serial);
            const int what = pick(10);
            if (what < 4) {  // placed or moved
                const int x = pPlayerObject->locX + pick(17) - 8;
                const int y = pPlayerObject->locY + pick(17) - 8;
                CObjectManager::HandleMove(serial, graphics[pick(8)], 0, 1 + pick(3), x, y,
                                           pick(3) * 5, 0, hues[pick(5)], 0);
                history += " place";
            } else if (what < 6 && object) {
                object->Release();
                history += " remove";
            } else if (what < 8 && object) {
                object->hue = static_cast<M_WORD>(hues[pick(5)]);
                object->Invalidate();
                history += " hue";
            } else if (what < 10) {
                Step(pick(8));
                history += " step";
            }
        }
        Paint();
        const Image16 incremental = PlayArea();
        const Image16 full = FullRepaint();
        int differ = 0, firstX = 0, firstY = 0;
        for (int y = 0; y < full.height; ++y)
            for (int x = 0; x < full.width; ++x)
                if (incremental.at(x, y) != full.at(x, y) && differ++ == 0) {
                    firstX = x;
                    firstY = y;
                }
        if (differ) {
            // Both pictures, for a look at what differs.
            const std::string name =
                tw::test::GoldenFailureDir() + "/incremental_" + std::to_string(c.seed);
            tw::test::WriteRgbPng(name + ".incremental.png", incremental.width, incremental.height,
                                  tw::test::ToRgb(incremental));
            tw::test::WriteRgbPng(name + ".full.png", full.width, full.height,
                                  tw::test::ToRgb(full));
        }
        ASSERT_EQ(differ, 0) << "frame " << frame << ", first at " << firstX << "," << firstY
                             << " after:" << history;
        history.clear();
    }
    EXPECT_GT(ringTurns, 0) << "no step scrolled the ring";
}

INSTANTIATE_TEST_SUITE_P(
    Runs, IncrementalRepaint,
    ::testing::Values(RunCase{sample::kHillside, 1, 640, 480, true, false, 0},
                      RunCase{sample::kCrossroads, 2, 640, 480, false, false, 22},
                      RunCase{sample::kLakeShore, 3, 800, 600, true, true, 18},
                      RunCase{sample::kHillside, 4, 800, 600, false, false, 6}));

}  // namespace
