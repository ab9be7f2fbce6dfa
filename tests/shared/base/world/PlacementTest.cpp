// Placing objects: the moves between the void, the world, containers and
// equipment, the server messages that make them, and the hue word.
#include <cstdlib>

#include "PlacementFixture.h"
#include "comm/BBGump.h"
#include "dialogs/ContainerGump.h"
#include "dialogs/PaperdollGump.h"
#include "dialogs/ShopGump.h"
#include "net/ClientSock.h"
#include "view/Light.h"
#include "view/WorldView.h"
#include "world/MultiManager.h"
#include "world/PathManager.h"

using namespace tw::test;
using tw::doubles::Listed;

TEST(NormalizeHue, KeepsFlagsAndBoundsTheNumber) {
    struct Case {
        M_WORD in;
        M_WORD out;
    } cases[] = {
        {0x4000, 0},  {0x8000, 0x8000},        {0xC000, 0x8000},
        {3000, 1},    {0xC000 | 3500, 0xC001}, {0x4000 | 3000, 0x4001},
        {2999, 2999}, {0x8000 | 5, 0x8005},
    };
    for (const Case& c : cases) EXPECT_EQ(NormalizeHue(c.in), c.out) << std::hex << c.in;
}

TEST_F(PlacementTest, PositionsWrapAtTheSeamsOnTheSurfaceOnly) {
    struct Case {
        int playerX, playerY, x, y, placedX, placedY;
    } cases[] = {
        {10, 100, 5110, 100, -10, 100},     {5110, 100, 5, 100, 5125, 100},
        {17, 100, 5103, 100, -17, 100},     {18, 100, 5103, 100, 5103, 100},
        {100, 10, 100, 4090, 100, -6},      {100, 4078, 100, 18, 100, 4114},
        {5120, 10, 5110, 4090, 5110, 4090},
    };
    M_DWORD serial = kItem;
    for (const Case& c : cases) {
        CPlayer* player = MakePlayer(c.playerX, c.playerY);
        CDynamicObj* o = PlaceItem(++serial, kShirt, c.x, c.y);
        EXPECT_EQ(o->locX, c.placedX) << c.playerX << "," << c.playerY;
        EXPECT_EQ(o->locY, c.placedY) << c.playerX << "," << c.playerY;
        o->Release();
        player->Release();
    }
}

TEST_F(PlacementTest, NewObjectsTakeTheClassOfTheirTile) {
    tiles.items[CORPSE_OBJ].flags = TILE_ITEM_OBJ;
    tw::datafiles::WriteBytes("tiledata.mul", tiles.bytes());
    CObjectManager::LoadTileData();
    PlaceItem(kItem | 1, CORPSE_OBJ, 1, 1);
    PlaceItem(kItem | 2, kMap, 1, 1);
    PlaceItem(kItem | 3, kBag, 1, 1);
    PlaceItem(kItem | 4, kShirt, 1, 1);
    PlaceMobile(5, 400, 1, 1);
    auto* find = CObjectManager::FindObject;
    EXPECT_TRUE(find(kItem | 1)->IsCorpse()) << "whatever the tile flags say";
    EXPECT_TRUE(find(kItem | 2)->IsItemObj());
    EXPECT_TRUE(find(kItem | 3)->IsContainer());
    EXPECT_FALSE(find(kItem | 3)->IsCorpse());
    EXPECT_EQ(DynamicPoolCounts().inUse, 1) << "the plain item came from the pool";
    EXPECT_TRUE(find(5)->IsMobile());

    // An existing object keeps its class when the server sends it again.
    PlaceItem(kItem | 4, kBag, 2, 2);
    EXPECT_FALSE(find(kItem | 4)->IsContainer());
    EXPECT_EQ(find(kItem | 4)->objectType, kBag);
    EXPECT_EQ(Where(find(kItem | 4)), "world 2,2,0");
}

TEST_F(PlacementTest, AnObjectMovesThroughTheVoidBetweenEveryPlace) {
    CPlayer* player = MakePlayer();
    CDynamicObj* bag = PlaceItem(kItem | 1, kBag, 100, 101);
    auto* container = static_cast<CContainerObj*>(bag);
    CDynamicObj* torch = PlaceItem(kItem | 2, kTorch, 100, 102, 5);
    Listed<tw::doubles::ContainerGump> bagGump(bag);
    container->containerGump = &bagGump;
    Listed<tw::doubles::PaperdollGump> paperdoll(player);
    dialogs.names = {{&bagGump, "bagGump"}, {&paperdoll, "paperdoll"}, {torch, "torch"}};

    EXPECT_EQ(Where(torch), "world 100,102,5");
    EXPECT_TRUE(InWorldList(torch));
    EXPECT_TRUE(torch->inList);
    EXPECT_EQ(CObjectManager::lightList, torch);
    EXPECT_EQ(CObjectManager::animatedItemList, torch);

    torch->ToVoid();
    EXPECT_EQ(Where(torch), "void");
    EXPECT_FALSE(InWorldList(torch));
    EXPECT_FALSE(torch->inList);
    EXPECT_EQ(CObjectManager::lightList, nullptr);
    EXPECT_EQ(CObjectManager::animatedItemList, nullptr);

    torch->ToContainer(container, Coords(30, 40, 0));
    EXPECT_EQ(Where(torch), "in 40000001 30,40");
    EXPECT_EQ(Contents(container), std::vector<CObj*>{torch});
    EXPECT_FALSE(torch->inList) << "held objects are not drawn in the world";
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{"AddToGump bagGump torch"});

    torch->ToVoid();
    EXPECT_TRUE(Contents(container).empty());
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].rfind("AddContents bagGump 30,40,", 0), 0u) << dialogs.calls[1];

    dialogs.calls.clear();
    torch->ToEquipped(player, 2);
    EXPECT_EQ(Where(torch), "worn 1 2");
    EXPECT_EQ(player->equippedItem[2], torch);
    EXPECT_EQ(CObjectManager::lightList, torch) << "a worn light still gives light";
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{"PaperdollInvalidate paperdoll"});

    torch->ToVoid();
    EXPECT_EQ(player->equippedItem[2], nullptr);
    EXPECT_EQ(CObjectManager::lightList, nullptr);
    EXPECT_EQ(dialogs.calls.back(), "PaperdollInvalidate paperdoll");

    // A gump-art object whose art is missing leaves an empty rectangle.
    CDynamicObj* note = NewDynamicObj(kItem | 3, 13705, 0);
    note->ToContainer(container, Coords(7, 8, 0));
    note->ToVoid();
    EXPECT_EQ(dialogs.calls.back(), "AddContents bagGump 7,8,7,8");
    container->containerGump = nullptr;
}

TEST_F(PlacementTest, EquipmentLayersFromTheServerAreChecked) {
    CPlayer* player = MakePlayer();
    CDynamicObj* first = NewDynamicObj(kItem | 1, kShirt, 0);
    CDynamicObj* second = NewDynamicObj(kItem | 2, kShirt, 0);
    for (int layer : {-1, 30, 255}) {
        first->ToEquipped(player, layer);
        EXPECT_TRUE(first->inVoid) << layer;
    }
    CObjectManager::UpdateMovement();  // an unplaced object waits in the void
    EXPECT_EQ(CObjectManager::FindObject(kItem | 1), first);
    // ... until a message places it (it is not taken out of the void first).
    NewDynamicObj(kItem | 3, kShirt, 0);
    EXPECT_EQ(Where(PlaceItem(kItem | 3, kShirt, 100, 100)), "world 100,100,0");
    EXPECT_NE(ReportLog().find("CObj::ToEquipped: layer 30"), std::string::npos);
    first->ToEquipped(player, 29);
    second->ToEquipped(player, 29);
    EXPECT_EQ(player->equippedItem[29], second);
    EXPECT_TRUE(first->inVoid) << "the earlier item left the layer";
    first->ToEquipped(player, 0);
    EXPECT_TRUE(first->IsEquipped());

    // A corpse keeps the serials of what its body wore, on 26 layers.
    auto* corpse = new CCorpse(kItem | 9, CORPSE_OBJ);
    EXPECT_TRUE(corpse->SetLayerSerial(25, 77));
    EXPECT_FALSE(corpse->SetLayerSerial(26, 78));
    EXPECT_EQ(corpse->equippedSerial[25], 77u);
    corpse->Release();
}

TEST_F(PlacementTest, SortedContainersInsertInTheirOrder) {
    struct Case {
        int graphic;
        std::vector<std::array<int, 3>> adds;  // x, y, amount
        std::vector<int> order;                // indexes of adds, first child first
    } cases[] = {
        {11000, {{5, 0, 1}, {2, 0, 1}, {9, 0, 1}, {5, 0, 1}}, {1, 3, 0, 2}},
        {4006, {{0, 5, 1}, {0, 9, 1}, {0, 1, 1}}, {1, 0, 2}},
        {3834, {{0, 0, 30}, {0, 0, 10}, {0, 0, 20}}, {1, 2, 0}},
        {kBag, {{0, 0, 1}, {0, 0, 1}}, {1, 0}},
    };
    M_DWORD serial = kItem | 0x100;
    for (const Case& c : cases) {
        auto* container = static_cast<CContainerObj*>(PlaceItem(++serial, c.graphic, 1, 1));
        std::vector<CObj*> added;
        for (const auto& a : c.adds) {
            CDynamicObj* o = NewDynamicObj(++serial, kShirt, 0);
            o->amount = static_cast<M_WORD>(a[2]);
            o->ToContainer(container, Coords(short(a[0]), short(a[1]), 0));
            added.push_back(o);
        }
        std::vector<CObj*> expected;
        for (int i : c.order) expected.push_back(added[i]);
        EXPECT_EQ(Contents(container), expected) << c.graphic;
    }
}

TEST_F(PlacementTest, AShopContainerTellsTheVendorsShopGump) {
    CMobile* vendor = PlaceMobile(7, 400, 101, 101);
    auto* stock = new CContainerObj(kItem | 1, 11000, 0, TRUE);
    stock->ToEquipped(vendor, 26);
    Listed<tw::doubles::ShopGump> shop(vendor);
    Listed<tw::doubles::ShopGump> closing(vendor);
    closing.ignoresRemovals = TRUE;
    dialogs.names = {{&shop, "shop"}, {&closing, "closing"}};
    CDynamicObj* ware = NewDynamicObj(kItem | 2, kShirt, 0);
    ware->ToContainer(stock, Coords(1, 1, 0));
    EXPECT_EQ(dialogs.calls,
              (std::vector<std::string>{"RemoveItem shop 1073741826", "RedrawFrame shop"}));
}

TEST_F(PlacementTest, ABulletinBoardAsksForItsNewMessage) {
    CClientSock connection;
    g_pGameSocket = &connection;
    auto* board = static_cast<CContainerObj*>(PlaceItem(kItem | 1, kBag, 1, 1));
    Listed<tw::doubles::BBGump> boardGump(board);
    board->containerGump = &boardGump;
    NewDynamicObj(kItem | 2, kShirt, 0)->ToContainer(board, Coords(0, 0, 0));
    const auto sent = SentPackets(connection);
    ASSERT_EQ(sent.size(), 1u);
    const auto& p = sent[0];
    EXPECT_EQ(p[0], 0x71);
    EXPECT_EQ(p[3], 4) << "sub-command";
    EXPECT_EQ(std::vector<unsigned char>(p.begin() + 4, p.begin() + 12),
              (std::vector<unsigned char>{0x40, 0, 0, 1, 0x40, 0, 0, 2}));
    board->containerGump = nullptr;
}

TEST_F(PlacementTest, HoldersRefuseCyclesAndThePlayer) {
    auto* bag = static_cast<CContainerObj*>(PlaceItem(kItem | 1, kBag, 1, 1));
    auto* inner = new CContainerObj(kItem | 2, kBag, 0, TRUE);
    inner->ToContainer(bag, Coords(0, 0, 0));
    bag->ToVoid();
    bag->ToContainer(bag, Coords(0, 0, 0));
    EXPECT_TRUE(bag->inVoid);
    bag->ToContainer(inner, Coords(0, 0, 0));
    EXPECT_TRUE(bag->inVoid) << "a bag cannot go into what it holds";
    EXPECT_TRUE(IsContainedIn(bag, inner));
    EXPECT_FALSE(IsContainedIn(inner, bag));
    EXPECT_TRUE(IsHeldBy(inner, bag));

    // Neither a container nor a wearer takes the player: its release would
    // take the player along.
    CPlayer* player = MakePlayer();
    CMobile* other = PlaceMobile(5, 400, 1, 1);
    player->ToVoid();
    player->ToContainer(inner, Coords(0, 0, 0));
    player->ToContainer(static_cast<CContainerObj*>(other), Coords(0, 0, 0));
    player->ToEquipped(other, 3);
    EXPECT_TRUE(player->inVoid);
    other->Release();
    inner->Release();
    EXPECT_EQ(pPlayerObject, player);
    EXPECT_EQ(CObjectManager::FindObject(1), player);
}

TEST_F(PlacementTest, AddToContainerMakesObjectsAnewAndRefusesCycles) {
    CPlayer* player = MakePlayer();
    auto* bag = static_cast<CContainerObj*>(PlaceItem(kItem | 1, kBag, 100, 100));
    CObjectManager::HandleAddToContainer(kItem | 2, kShirt, 0, 3, 10, 20, kItem | 1, 0x4000);
    CDynamicObj* shirt = CObjectManager::FindObject(kItem | 2);
    ASSERT_NE(shirt, nullptr);
    EXPECT_EQ(Where(shirt), "in 40000001 10,20");
    EXPECT_EQ(shirt->amount, 3);
    EXPECT_EQ(shirt->hue, 0);

    // Sent again into the same container: released and made anew.
    const int releasedBefore = DynamicPoolCounts().inUse;
    CObjectManager::HandleAddToContainer(kItem | 2, kShirt, 0, 4, 11, 21, kItem | 1, 0);
    EXPECT_EQ(DynamicPoolCounts().inUse, releasedBefore);
    EXPECT_EQ(Contents(bag).size(), 1u);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 2)->amount, 4);

    // Into the player, who is a container too.
    CObjectManager::HandleAddToContainer(kItem | 3, kShirt, 0, 1, 0, 0, 1, 0);
    EXPECT_EQ(Where(CObjectManager::FindObject(kItem | 3)), "in 1 0,0");

    // Unknown containers and objects that are not containers change nothing.
    CObjectManager::HandleAddToContainer(kItem | 4, kShirt, 0, 1, 0, 0, kItem | 99, 0);
    CObjectManager::HandleAddToContainer(kItem | 4, kShirt, 0, 1, 0, 0, kItem | 2, 0);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 4), nullptr);

    // The object itself, what holds the container, or the player: refused.
    auto* inner = new CContainerObj(kItem | 5, kBag, 0, TRUE);
    inner->ToContainer(bag, Coords(0, 0, 0));
    CObjectManager::HandleAddToContainer(kItem | 1, kBag, 0, 1, 0, 0, kItem | 1, 0);
    CObjectManager::HandleAddToContainer(kItem | 1, kBag, 0, 1, 0, 0, kItem | 5, 0);
    CObjectManager::HandleAddToContainer(1, 400, 0, 1, 0, 0, kItem | 5, 0);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 1), bag);
    EXPECT_EQ(Where(bag), "world 100,100,0");
    EXPECT_EQ(Where(inner), "in 40000001 0,0");
    EXPECT_EQ(pPlayerObject, player);
}

TEST_F(PlacementTest, MultisAndTheirObjectsArePlacedTogether) {
    // Without a definition of multi 12 the object stands alone.
    CDynamicObj* house = PlaceItem(kItem | 1, 16384 + 12, 50, 60, 7);
    EXPECT_EQ(house->multi, nullptr);
    EXPECT_EQ(house->objectType, 1) << "made as graphic 1; the multi code sets its own";
    EXPECT_EQ(Where(house), "world 50,60,7");

    // Sent later as a plain object, its parts are freed before it moves.
    house->multi = new MultiComponentList();
    house->multi->multiNumber = 12;
    auto* node = new MultiComponentNode;
    node->object = NewStaticObj(kShirt);
    house->multi->first = house->multi->last = node;
    const int partsInUse = StaticPoolCounts().inUse;
    PlaceItem(kItem | 1, kShirt, 51, 61);
    EXPECT_EQ(house->multi, nullptr);
    EXPECT_EQ(StaticPoolCounts().inUse, partsInUse - 1) << "the part went back to its pool";
    EXPECT_EQ(Where(house), "world 51,61,0");
}

TEST_F(PlacementTest, MobileStepsQueueOnceAndAFullQueueJumps) {
    MakePlayer();
    CMobile* m = PlaceMobile(5, 400, 100, 100, 0, 0x82);
    EXPECT_EQ(m->direction, 2);
    EXPECT_TRUE(m->running);
    EXPECT_EQ(m->queueCount, 0) << "a new mobile stands where it was sent";

    CObjectManager::HandleMove(5, 400, 0, 0, 100, 100, 0, 0x82, 0, 0);
    EXPECT_EQ(m->queueCount, 0) << "it already stands there";
    for (int i = 0; i < 2; ++i) CObjectManager::HandleMove(5, 400, 0, 0, 101, 100, 0, 2, 0, 0);
    EXPECT_EQ(m->queueCount, 1) << "the same step twice";
    for (int x = 102; x <= 104; ++x) CObjectManager::HandleMove(5, 400, 0, 0, x, 100, 0, 2, 0, 0);
    EXPECT_EQ(m->queueCount, 4);
    EXPECT_EQ(m->locX, 100);

    CObjectManager::HandleMove(5, 401, 0, 0, 110, 103, 4, 0x86, 0x4000, 0);
    EXPECT_EQ(m->queueCount, 0);
    EXPECT_EQ(m->locX, 110);
    EXPECT_EQ(m->locY, 103);
    EXPECT_EQ(m->z, 4);
    EXPECT_EQ(m->objectType, 401);
    EXPECT_EQ(m->direction, 6);
    EXPECT_EQ(m->hue, 0);
    EXPECT_EQ(m->stepFramesLeft, 1);
    EXPECT_TRUE(m->inList);
}

TEST_F(PlacementTest, FollowingAFarMobileSeeksAPath) {
    CPlayer* player = MakePlayer(100, 100);
    PlaceMobile(5, 400, 103, 100);
    player->following = TRUE;
    player->followedSerial = 5;
    // No cell can be entered: no path.
    CObjectManager::HandleMove(5, 400, 0, 0, 104, 100, 0, 2, 0, 0);
    EXPECT_FALSE(player->following);
    ASSERT_EQ(gumps.text.systemMessages.size(), 1u);
    EXPECT_EQ(gumps.text.systemMessages[0].text, "Can't get there (follow)");
    EXPECT_FALSE(g_pathWalk.active);

    // Open ground: the path runs to a cell beside the mobile's last step.
    PathManager::standingTest = [](int, int, int z, int, int* standZ) {
        *standZ = z;
        return TRUE;
    };
    player->following = TRUE;
    CObjectManager::HandleMove(5, 400, 0, 0, 105, 100, 0, 2, 0, 0);
    ASSERT_TRUE(g_pathWalk.active);
    ASSERT_NE(g_pathWalk.node, nullptr);
    EXPECT_LE(std::abs(g_pathWalk.node->x - 105), 1) << "beside the mobile's last step";
    EXPECT_LE(std::abs(g_pathWalk.node->y - 100), 1);
    EXPECT_EQ(view.relinkCalls, 1);
    EXPECT_TRUE(player->following);

    // Within 3 cells nothing is sought.
    g_pathWalk = PathWalk();
    player->ToVoid();
    player->ToWorld(Coords(103, 100, 0));
    CObjectManager::HandleMove(5, 400, 0, 0, 105, 101, 0, 2, 0, 0);
    EXPECT_FALSE(g_pathWalk.active);
}
