// The software cursor over the sample world with the cursor arts: the
// pictures and hot spots loaded from their markers, the war tint, the 5-6-5
// widening and the refusal of missing or oversized art; the cursor drawn
// into the ring (across its end) inside a present and taken out again; the
// window path with its save-under; and the map cell under a point.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CursorWindow.h"
#include "FrameBuf.h"
#include "ViewTestSupport.h"
#include "config/Config.h"
#include "gumps/GumpHooks.h"
#include "gumps/MouseManager.h"
#include "support/datafiles/CursorArt.h"
#include "view/DrawManager.h"
#include "view/MouseCursor.h"
#include "view/WorldView.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;
using tw::datafiles::CursorArt;
using tw::datafiles::CursorHotSpot;
using tw::datafiles::kFirstCursorArt;

const bool registered = [] {
    tw::test::AddServiceReset([] {
        if (tw::Service<MouseCursorService>::IsInstalled()) {
            MouseManager::FreeCursorArt();
            MouseManager::EnableCursor(FALSE);
        }
        MouseManager::reset();
    });
    return true;
}();

// A window of the display's size kept in memory, and a pointer that the
// test places.
class MemoryWindow final : public CursorWindow {
public:
    std::vector<M_WORD> pixels;
    int pointerX = 0, pointerY = 0;
    bool refuseReads = false;
    int writes = 0;

    BOOL ReadWindow(int x, int y, int w, int h, M_WORD* out) override {
        if (refuseReads) return FALSE;
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) out[r * w + c] = At(x + c, y + r);
        return TRUE;
    }
    void WriteWindow(int x, int y, int w, int h, const M_WORD* in) override {
        ++writes;
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) At(x + c, y + r) = in[r * w + c];
    }
    BOOL QueryPointer(int* x, int* y) override {
        *x = pointerX;
        *y = pointerY;
        return TRUE;
    }
    M_WORD& At(int x, int y) { return pixels[static_cast<size_t>(y) * g_displayWidth + x]; }
};

class Session final : public GumpSession {
public:
    BOOL atWar = FALSE;
    BOOL IsInWorld() override { return TRUE; }
    BOOL PlayerAtWar() override { return atWar; }
    void UpdateInputPrompt() override {}
    void LogoutFromWorld() override {}
    void ForgetGump(CGump*) override {}
};

class MouseCursorTest : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        // After the program's stand-ins that ViewTest installs.
        installedWindow_ = std::make_unique<tw::ScopedService<CursorWindow>>(&window);
        installedSession_ = std::make_unique<tw::ScopedService<GumpSession>>(&session);
        MouseManager::reset();
        window.pixels.assign(640 * 480, 0);
        for (size_t i = 0; i < window.pixels.size(); ++i)
            window.pixels[i] = static_cast<M_WORD>(0x4000 | (i * 13 & 0x3FFF));
    }
    // The sample world with the cursor arts, and changes to them.
    void StartWithCursors(const std::vector<std::pair<int, tw::datafiles::Image>>& changed = {}) {
        sample::SampleWorld world = sample::MakeSampleWorld();
        tw::datafiles::AddCursorArt(world.art);
        for (const auto& [art, image] : changed)
            world.art.add(art, tw::datafiles::EncodeStaticArt(image));
        StartWorld(world);
        UseBackBuffer(640, 480, 640, 480, false);
        for (size_t i = 0; i < backBuffer.size(); ++i)
            backBuffer[i] = static_cast<M_WORD>(i * 7 & 0x7FFF);
        MouseManager::LoadCursorArt();
        MouseManager::EnableCursor(TRUE);
    }
    // Chooses a shape: kinds are shapes in war, 23 further in peace.
    static void Shape(int kind) {
        MouseManager::SetCursorType(kind);
        MouseManager::SetMouseCursor();
    }
    // Screen pixel (x, y) of the ring.
    M_WORD& Screen(int x, int y) {
        const long total = 640L * 480;
        long at = (static_cast<long>(y) * 640 + x + g_ringStart) % total;
        return backBuffer[static_cast<size_t>(at < 0 ? at + total : at)];
    }

    MemoryWindow window;
    Session session;
    std::unique_ptr<tw::ScopedService<CursorWindow>> installedWindow_;
    std::unique_ptr<tw::ScopedService<GumpSession>> installedSession_;
};

TEST_F(MouseCursorTest, PicturesAndHotSpotsComeFromTheMarkedArt) {
    CombatHueColor = 31;  // blue: war arts keep their red as blue
    StartWithCursors();
    session.atWar = TRUE;
    // shape, its art (index), in war or peace
    struct Case {
        int shape, art;
        BOOL war;
    } cases[] = {{0, 0, TRUE},   {9, 1, TRUE},    {17, 9, TRUE},   {19, 12, TRUE},
                 {20, 13, TRUE}, {23, 23, FALSE}, {42, 35, FALSE}, {44, 37, FALSE}};
    for (const Case& c : cases) {
        session.atWar = c.war;
        MouseManager::SetPos(300, 200);
        const int kind = c.war ? c.shape : c.shape - 23;
        Shape(kind);
        if (kind < 16) {
            // Direction shapes: the pointer's place chooses them.
            Shape(0);
            const int d = kind % 8;
            const int dx[8] = {0, 100, 100, 100, 0, -100, -100, -100};
            const int dy[8] = {-100, -100, 0, 100, 100, 100, 0, -100};
            MouseManager::SetPos(320 + dx[d] * (kind >= 8 ? 1 : 2),
                                 240 + dy[d] * (kind >= 8 ? 1 : 2));
            MouseManager::SetMouseCursor();
        }
        ASSERT_EQ(MouseManager::GetShape(), c.shape);
        int hx = 0, hy = 0;
        CursorHotSpot(c.art, &hx, &hy);
        int x = 0, y = 0;
        MouseManager::GetMousePos(&x, &y);
        const CursorSnapshot snap = MouseManager::TakeSnapshot();
        EXPECT_EQ(snap.art, kFirstCursorArt + c.art);
        EXPECT_EQ(x - snap.x, hx) << "shape " << c.shape;
        EXPECT_EQ(y - snap.y, hy) << "shape " << c.shape;

        int w = 0, h = 0;
        const M_WORD* picture = CursorArtPicture(kFirstCursorArt + c.art, &w, &h);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(w, 24) << "the art's width rounded down to even";
        EXPECT_EQ(h, 25);
        const tw::datafiles::Image art = CursorArt(c.art);
        for (int i = 0; i < w; ++i) EXPECT_EQ(picture[i], 0) << "the marker row is left out";
        for (int j = 0; j < h; ++j) EXPECT_EQ(picture[j * w], 0) << "the marker column too";
        EXPECT_EQ(picture[hy * w + hx], c.art < 23 ? 31 * 31 / 32 : 0x7FFF)
            << "the white tip, tinted blue in war";
        // A body pixel: red 224 (28 of 31) tinted blue gives 31 * 28 / 32.
        const M_WORD body = art.at(hx == 1 ? 2 : hx, hy == 1 ? 3 : hy + (hy > 12 ? -3 : 3));
        const M_WORD got =
            picture[(hy == 1 ? 3 : hy + (hy > 12 ? -3 : 3)) * w + (hx == 1 ? 2 : hx)];
        if (c.art < 23)
            EXPECT_EQ(got, body == 0 ? 0 : (31 * ((body >> 10) & 31) / 32)) << "art " << c.art;
        else
            EXPECT_EQ(got, body) << "peace arts are not tinted";
        MouseManager::EndWait();  // the busy kind raised the count
    }
}

TEST_F(MouseCursorTest, MissingOrOversizedArtLeavesItsShapeWithoutAPicture) {
    tw::datafiles::Image huge(300, 20, 0x1234);
    tw::test::StderrCapture err;
    use565 = TRUE;
    // Art 12 (the war target) is far too wide; art 35's record is absent.
    sample::SampleWorld world = sample::MakeSampleWorld();
    tw::datafiles::AddCursorArt(world.art);
    world.art.add(kFirstCursorArt + 12, tw::datafiles::EncodeStaticArt(huge));
    world.art.setRecord(kFirstCursorArt + 35, tw::datafiles::IndexRecord{});
    StartWorld(world);
    UseBackBuffer(640, 480, 640, 480, true);
    MouseManager::LoadCursorArt();
    const std::string log = err.text();
    EXPECT_NE(log.find("cursor art 24671 is 300x20; left out."), std::string::npos) << log;
    EXPECT_NE(log.find("cursor art 24694 is missing."), std::string::npos) << log;

    int w = 0, h = 0;
    EXPECT_EQ(CursorArtPicture(kFirstCursorArt + 12, &w, &h), nullptr);
    EXPECT_EQ(CursorArtPicture(kFirstCursorArt + 35, &w, &h), nullptr);
    // The others are widened to 5-6-5: the white tip of the pointer.
    const M_WORD* pointer = CursorArtPicture(kFirstCursorArt + 9, &w, &h);
    ASSERT_NE(pointer, nullptr);
    EXPECT_EQ(pointer[1 * w + 1], 0xFFDF);

    // The shape without a picture has no hot spot and draws nothing.
    MouseManager::EnableCursor(TRUE);
    window.pointerX = 100;
    window.pointerY = 100;
    Shape(19);
    ASSERT_EQ(MouseManager::GetShape(), 42);
    const std::vector<M_WORD> before = backBuffer;
    MouseManager::DrawCursor();
    EXPECT_EQ(backBuffer, before);
    MouseManager::EraseCursor();
    EXPECT_EQ(backBuffer, before);
    int cw = -1, ch = -1;
    MouseManager::GetCursorSize(&cw, &ch);
    EXPECT_EQ(cw, 0);
    EXPECT_EQ(ch, 0);
}

TEST_F(MouseCursorTest, TheFrameShowsTheCursorAcrossTheRingsEndAndGetsTheWorldBack) {
    StartWithCursors();
    // Screen (10, 0) is the ring's last pixel + 1: row 0 of the cursor
    // crosses the ring's end.
    g_ringStart = 640 * 479 + 630;
    const std::vector<M_WORD> world = backBuffer;
    Shape(19);  // the target, held at its centre
    ASSERT_EQ(MouseManager::GetShape(), 42);
    window.pointerX = 3 + 12;
    window.pointerY = 12;
    MouseManager::DrawCursor();  // follows the pointer first

    int w = 0, h = 0;
    const M_WORD* picture = CursorArtPicture(kFirstCursorArt + 35, &w, &h);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(Screen(15, 12), 0x7FFF) << "the white centre at the hot spot";
    std::vector<M_WORD> expected = world;
    bool same = true;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const M_WORD p = picture[y * w + x];
            const long total = 640L * 480;
            const long at = ((y * 640L) + 3 + x + g_ringStart) % total;
            if (Screen(3 + x, y) != (p ? p : world[static_cast<size_t>(at)])) same = false;
        }
    EXPECT_TRUE(same) << "the picture over the world, pixel 0 transparent";
    MouseManager::GetCursorSize(&w, &h);
    EXPECT_EQ(w, 24);
    EXPECT_EQ(h, 25);

    MouseManager::EraseCursor();
    EXPECT_EQ(backBuffer, world) << "every pixel under the cursor is back";
    EXPECT_FALSE(MouseManager::CursorNeedsRedraw());

    // At the screen's corner the cursor is cut to the screen.
    window.pointerX = 639;
    window.pointerY = 479;
    MouseManager::DrawCursor();
    EXPECT_EQ(Screen(639, 479), 0x7FFF);
    MouseManager::EraseCursor();
    EXPECT_EQ(backBuffer, world);
}

TEST_F(MouseCursorTest, OnTheWindowTheCursorMovesOverASavedBackground) {
    StartWithCursors();
    const std::vector<M_WORD> shown = window.pixels;
    Shape(19);
    MouseManager::SetPos(100, 100);
    MouseManager::MoveCursor(TRUE);
    EXPECT_EQ(window.At(100, 100), 0x7FFF);
    EXPECT_EQ(window.At(100 - 12, 100 - 12), shown[(100 - 12) * 640 + 100 - 12])
        << "a transparent corner shows the window";
    EXPECT_FALSE(MouseManager::CursorNeedsRedraw());

    MouseManager::SetPos(300, 200);
    MouseManager::MoveCursor(TRUE);
    EXPECT_EQ(window.At(300, 200), 0x7FFF);
    EXPECT_EQ(window.At(100, 100), shown[100 * 640 + 100]) << "the old place is restored";

    // A window that cannot be read: the old place is restored and nothing
    // is drawn or later put back.
    window.refuseReads = true;
    MouseManager::SetPos(400, 300);
    MouseManager::MoveCursor(TRUE);
    EXPECT_EQ(window.pixels, shown);
    window.refuseReads = false;
    const int writes = window.writes;
    MouseManager::SetPos(410, 300);
    MouseManager::MoveCursor(TRUE);
    EXPECT_EQ(window.writes, writes + 1) << "only the new cursor, no stale background";

    // Off: nothing moves.
    MouseManager::EnableCursor(FALSE);
    MouseManager::SetPos(50, 50);
    MouseManager::MoveCursor(TRUE);
    EXPECT_EQ(window.writes, writes + 1);
}

TEST_F(MouseCursorTest, TheTileUnderAPointIsTheLandCellPickedThere) {
    StartWithCursors();
    CPlayer* player = PlacePlayer(sample::kByTheFire.x, sample::kByTheFire.y);
    Paint();
    // The land cell three to the west: its middle, with the play window
    // moved inside a larger screen.
    CDrawItem* land = nullptr;
    for (CDrawItem* i = DrawMapThingie::table[(player->locY + 1) & 63][(player->locX - 3) & 63]; i;
         i = i->next)
        if (i->IsTerrain()) land = i;
    ASSERT_NE(land, nullptr);
    const int px = (land->rect.left + land->rect.right) / 2 - g_viewOffsetX;
    const int py = (land->rect.top + land->rect.bottom) / 2 - g_viewOffsetY;
    int cx = 0, cy = 0;
    MouseManager::GetTileUnderPoint(px, py, &cx, &cy);
    EXPECT_EQ(cx, player->locX - 3);
    EXPECT_EQ(cy, player->locY + 1);
    g_viewX = 30;
    g_viewY = 20;
    MouseManager::GetTileUnderPoint(px + 30, py + 20, &cx, &cy);
    EXPECT_EQ(cx, player->locX - 3) << "screen points are taken from the play window's corner";
    MouseManager::GetTileUnderPoint(-5000, -5000, &cx, &cy);
    EXPECT_EQ(cx, -1);
    EXPECT_EQ(cy, -1);
}

}  // namespace
