// The drag gump over the sample world: where a released item goes, as the
// loopback server reads it from the real connection (a drop 0x08 on the
// ground, a creature, a pile or a container, an equip request 0x13) or as
// sound 81 when the drop is refused, and the paperdoll mark while a
// wearable item is carried over it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "config/Config.h"
#include "gumps/DragGump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "support/LoopbackServer.h"
#include "view/DrawManager.h"
#include "view/MapGump.h"
#include "view/PlayAreaState.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

namespace {

namespace sample = tw::datafiles::sample;
using tw::test::Bytes;

constexpr M_DWORD kHeld = 0x40000020;
constexpr M_DWORD kPile = 0x40000021;
constexpr M_DWORD kTree = 0x40000022;
constexpr M_DWORD kFarCrate = 0x40000023;
constexpr M_DWORD kBook = 0x40000024;
constexpr M_DWORD kChest = 0x40000025;
constexpr M_DWORD kCreature = 0x00000100;
constexpr M_BYTE kMarker = 0x5A;
constexpr int kRefused = 81;
constexpr int kScroll = 3827;

struct Point {
    int x, y;
};

// A window that takes items: a paperdoll of the player, a spellbook.
class ItemWindow : public CGump {
public:
    ItemWindow(bool paperdoll, CObj* shown) : CGump(660, 20, nullptr, shown, 0, 100, 100) {
        paperdoll_ = paperdoll;
        PutInGump(nullptr);
    }
    BOOL UsesPixelHitTest() override { return FALSE; }
    BOOL AcceptsItems() override { return TRUE; }
    BOOL IsPaperdollGump() override { return paperdoll_; }
    BOOL IsSpellBookGump() override { return !paperdoll_; }
    void Invalidate() override { ++invalidated; }
    int invalidated = 0;

private:
    bool paperdoll_ = false;
};

class RecordingDropTargets final : public DragDropTargets {
public:
    int layerAt = -1;
    std::vector<int> marks;
    int GetPaperdollLayerAt(CGump*, int, int) override { return layerAt; }
    void MarkPaperdollLayer(CGump*, int layer) override { marks.push_back(layer); }
    BOOL ContainerTakesDrop(CGump*, int, int) override { return FALSE; }
};

class DragGumpTest : public tw::test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        tw::Service<DragDropTargets>::Install(&targets);
        StartSampleWorld();
        // A game window wider than the play window: empty screen at its right.
        UseBackBuffer(800, 600, 640, 480, false);
        AllowWindowResize = FALSE;
        playarea::reset();
        CPlayer* player = PlacePlayer(sample::kCrossroads.x, sample::kCrossroads.y);
        const int px = player->locX, py = player->locY, pz = player->z;
        // A pile of barrels two cells south, a tree item and a creature two
        // cells east and north, a crate five cells away.
        CObjectManager::HandleMove(kPile, sample::kBarrel, 0, 5, px, py + 2, pz, 0, 0, 0);
        CObjectManager::HandleMove(kTree, sample::kTree, 0, 1, px + 2, py - 2, pz, 0, 0, 0);
        CObjectManager::HandleMove(kCreature, sample::kCreatureBody, 0, 0, px + 2, py, pz, 4, 0, 0);
        CObjectManager::HandleMove(kFarCrate, sample::kCrate, 0, 1, px - 5, py, pz, 0, 0, 0);
        Paint();
        map = new CMapGump();
        GraphicManager::pMapGump = map;

        g_pGameSocket = new CClientSock;
        ASSERT_TRUE(g_pGameSocket->Connect(tw::test::LoopbackServer::kAddress, server.port()));
        ASSERT_TRUE(server.WaitForConnections(1));
        M_DWORD seed = 0;
        ASSERT_TRUE(server.ReadSeed(&seed));
    }
    void TearDown() override {
        delete CObjectManager::dragGump;
        delete map;
        GraphicManager::pMapGump = nullptr;
        MouseManager::reset();
        delete g_pGameSocket;
        g_pGameSocket = nullptr;
        InstallPendingDialogsForTests();
        playarea::reset();
        ViewTest::TearDown();
    }
    static void InstallPendingDialogsForTests();

    // Picks up an item: the held record and its drag gump.
    CDragGump* Hold(M_WORD graphic, M_WORD amount, M_WORD hue = 0) {
        delete CObjectManager::dragGump;
        CObjectManager::held = HeldObject{};
        CObjectManager::held.serial = kHeld;
        CObjectManager::held.graphic = graphic;
        CObjectManager::held.amount = amount;
        CObjectManager::held.hue = hue;
        CObjectManager::holdingItem = TRUE;
        MouseManager::SetPos(320, 240);
        auto* gump = new CDragGump();
        CObjectManager::dragGump = gump;
        return gump;
    }
    // Releases the held item with the pointer at a screen point.
    void ReleaseAt(CDragGump* gump, Point at) {
        gump->HandleLButtonUp(at.x - gump->x, at.y - gump->y);
    }
    // The pointer place whose shifted pick (the picture's foot) is cell
    // (x, y)'s land.
    Point GroundPoint(CDragGump* gump, int cx, int cy) {
        const int sx = gump->width / 2 - 22, sy = gump->height / 2 - 22;
        for (int y = 0; y < 480; y += 2)
            for (int x = 0; x < 640; x += 2) {
                CDrawItem* item = DrawManager::GetItemAtScreenPoint(x, y, FALSE);
                if (item && item->IsTerrain() && item->locX == cx && item->locY == cy &&
                    !CObjectManager::GetObjAtScreenLoc(x - sx, y - sy))
                    return Point{x - sx, y - sy};
            }
        return Point{-1, -1};
    }
    static Point PointOn(M_DWORD serial) {
        CDrawItem* item = CObjectManager::FindObject(serial);
        const RECT r = item->rect;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (CObjectManager::GetObjAtScreenLoc(x - g_viewOffsetX, y - g_viewOffsetY) == item)
                    return Point{x - g_viewOffsetX, y - g_viewOffsetY};
        return Point{-1, -1};
    }
    std::vector<Bytes> Sent() {
        PDSTRUCT marker;
        PacketManager::Build73(&marker, kMarker);
        g_pGameSocket->Write(&marker);
        g_pGameSocket->Poll();
        std::vector<Bytes> sent;
        for (int i = 0; i < 16; ++i) {
            std::vector<Bytes> one = tw::test::PollMessages(server, 1);
            if (one.empty()) break;
            if (one[0] == Bytes{0x73, kMarker}) return sent;
            sent.push_back(one[0]);
        }
        ADD_FAILURE() << "the marker did not arrive";
        return sent;
    }
    static Bytes Drop(int x, int y, int z, M_DWORD container) {
        return Bytes{0x08,
                     0x40,
                     0,
                     0,
                     0x20,
                     M_BYTE(x >> 8),
                     M_BYTE(x),
                     M_BYTE(y >> 8),
                     M_BYTE(y),
                     M_BYTE(z),
                     M_BYTE(container >> 24),
                     M_BYTE(container >> 16),
                     M_BYTE(container >> 8),
                     M_BYTE(container)};
    }
    std::vector<int> Sounds() {
        std::vector<int> ids;
        for (const auto& p : sound.played) ids.push_back(p.id);
        sound.played.clear();
        return ids;
    }

    CMapGump* map = nullptr;
    RecordingDropTargets targets;
    tw::test::LoopbackServer server;
};

TEST_F(DragGumpTest, TheDropDecisionOnThePlayArea) {
    const int px = pPlayerObject->locX, py = pPlayerObject->locY, pz = pPlayerObject->z;
    // The barrels are a pile for this test.
    const M_DWORD barrelFlags = CObjectManager::itemTiles[sample::kBarrel].flags;
    CObjectManager::itemTiles[sample::kBarrel].flags |= TILE_STACKABLE;
    // A crate that is a container, a cell west of the player and one south.
    // Its window's item area (150 x 90) holds a crate's picture but not a
    // tree's.
    const M_DWORD crateFlags = CObjectManager::itemTiles[sample::kCrate].flags;
    CObjectManager::itemTiles[sample::kCrate].flags |= TILE_CONTAINER;
    CObjectManager::HandleMove(kChest, sample::kCrate, 0, 1, px - 2, py + 1, pz, 0, 0, 0);
    ASSERT_TRUE(CObjectManager::FindObject(kChest)->IsContainer());
    Paint();

    struct Case {
        const char* name;
        M_WORD graphic;
        M_WORD amount;
        int where;  // 0 the ground at (dx, dy), 1 an object, 2 empty screen
        int dx, dy;
        M_DWORD object;
        std::vector<Bytes> sent;
        std::vector<int> sounds;
    };
    const std::vector<Case> cases = {
        {"the ground two cells away takes it",
         sample::kCrate,
         1,
         0,
         0,
         -2,
         0,
         {Drop(px, py - 2, pz, 0xFFFFFFFF)},
         {}},
        {"the ground four cells away refuses it", sample::kCrate, 1, 0, -4, 0, 0, {}, {kRefused}},
        {"a creature takes it",
         sample::kCrate,
         1,
         1,
         0,
         0,
         kCreature,
         {Drop(0xFFFF, 0xFFFF, 0, kCreature)},
         {}},
        {"a pile of the same merges with it at its place",
         sample::kBarrel,
         3,
         1,
         0,
         0,
         kPile,
         {Drop(px, py + 2, pz, kPile)},
         {}},
        {"a container takes it",
         sample::kCrate,
         1,
         1,
         0,
         0,
         kChest,
         {Drop(0xFFFF, 0xFFFF, 0, kChest)},
         {}},
        {"a container whose item area is smaller than the picture refuses it",
         sample::kTree,
         1,
         1,
         0,
         0,
         kChest,
         {},
         {kRefused}},
        {"an object that is no surface refuses it",
         sample::kCrate,
         1,
         1,
         0,
         0,
         kTree,
         {},
         {kRefused}},
        {"an object out of reach refuses it",
         sample::kCrate,
         1,
         1,
         0,
         0,
         kFarCrate,
         {},
         {kRefused}},
        {"empty screen does nothing", sample::kCrate, 1, 2, 0, 0, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDragGump* gump = Hold(c.graphic, c.amount);
        Point at{700, 100};
        if (c.where == 0) at = GroundPoint(gump, px + c.dx, py + c.dy);
        if (c.where == 1) at = PointOn(c.object);
        ASSERT_GE(at.x, 0);
        ReleaseAt(gump, at);
        EXPECT_EQ(Sent(), c.sent);
        EXPECT_EQ(Sounds(), c.sounds);
        // A sent drop ends the drag; a refused one keeps the item held.
        EXPECT_EQ(CObjectManager::dragGump == nullptr, !c.sent.empty());
        EXPECT_EQ(CObjectManager::holdingItem == FALSE, !c.sent.empty());
    }
    CObjectManager::itemTiles[sample::kBarrel].flags = barrelFlags;
    CObjectManager::itemTiles[sample::kCrate].flags = crateFlags;
}

TEST_F(DragGumpTest, APaperdollIsMarkedOnlyWhenTheLayerIsFreeAndTakesTheItemAsAnEquipRequest) {
    // On the heap, where the gump manager's pointer checks expect gumps.
    auto* paperdollGump = new ItemWindow(true, nullptr);
    ItemWindow& paperdoll = *paperdollGump;
    paperdoll.owner = pPlayerObject;  // after the making, which would give it the player's art
    const Point over{700, 60};

    // Worn already on layer 5: no mark.
    CObj* worn = pPlayerObject->equippedItem[5];
    pPlayerObject->equippedItem[5] = pPlayerObject;  // anything on the layer
    CDragGump* gump = Hold(sample::kShirt, 1);
    gump->HandleMouseDrag(over.x - gump->x, over.y - gump->y);
    EXPECT_EQ(CDragGump::highlightedPaperdoll, nullptr);
    EXPECT_TRUE(targets.marks.empty());
    pPlayerObject->equippedItem[5] = worn;

    // A free layer is marked, and the release asks to wear the shirt there.
    gump = Hold(sample::kShirt, 1);
    gump->HandleMouseDrag(over.x - gump->x, over.y - gump->y);
    EXPECT_EQ(CDragGump::highlightedPaperdoll, &paperdoll);
    EXPECT_EQ(targets.marks, std::vector<int>{5});
    ReleaseAt(gump, over);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{Bytes{0x13, 0x40, 0, 0, 0x20, 5, 0, 0, 0, 1}}));
    EXPECT_EQ(targets.marks, (std::vector<int>{5, 0}));
    EXPECT_EQ(CDragGump::highlightedPaperdoll, nullptr);
    EXPECT_GE(paperdoll.invalidated, 2);

    // An item that cannot be worn, over a paperdoll point without a
    // backpack: refused.
    gump = Hold(sample::kCrate, 1);
    gump->HandleMouseDrag(over.x - gump->x, over.y - gump->y);
    ReleaseAt(gump, over);
    EXPECT_EQ(Sent(), std::vector<Bytes>{});
    EXPECT_EQ(Sounds(), std::vector<int>{kRefused});
    delete paperdollGump;
}

TEST_F(DragGumpTest, ASpellbookTakesOnlyScrolls) {
    CObjectManager::HandleMove(kBook, sample::kCrate, 0, 1, pPlayerObject->locX - 1,
                               pPlayerObject->locY, pPlayerObject->z, 0, 0, 0);
    auto* book = new ItemWindow(false, CObjectManager::FindObject(kBook));
    const Point over{700, 60};
    ReleaseAt(Hold(sample::kCrate, 1), over);
    EXPECT_EQ(Sent(), std::vector<Bytes>{});
    EXPECT_EQ(Sounds(), std::vector<int>{kRefused});
    ReleaseAt(Hold(kScroll, 1), over);
    EXPECT_EQ(Sent(), std::vector<Bytes>{Drop(0xFFFF, 0xFFFF, 0, kBook)});
    delete book;
}

TEST_F(DragGumpTest, GraphicsAndHuesOutsideTheTablesDrawThePlainFallback) {
    // A graphic beyond the tile table with a hue beyond the hue table: the
    // picture is static art 0, unhued, and nothing is read out of bounds.
    CDragGump* gump = Hold(0xFFFF, 2, 0xFFFF);
    const SkipImage fallback = GraphicManager::GetStaticArt(0);
    EXPECT_EQ(gump->width, fallback.Width());
    EXPECT_EQ(gump->height, fallback.Height());
}

void DragGumpTest::InstallPendingDialogsForTests() {
    tw::Service<DragDropTargets>::Install(nullptr);
}

}  // namespace
