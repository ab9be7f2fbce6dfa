// What follows placing: corpse links, leaving the game, picking up, using,
// overhead texts and the player's light.
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

TEST_F(PlacementTest, CorpseLinksHoldTheDyingMobileUntilItsAnimationEnds) {
    struct Case {
        int body;
        int flag;
        int action;
        int frames;
    } cases[] = {
        {100, 1, 130, 5}, {100, 0, 131, 5}, {160, 1, 136, 15}, {300, 1, 136, 5},
        {300, 0, 140, 5}, {400, 1, 149, 5}, {987, 0, 150, 5},
    };
    M_DWORD serial = 10;
    for (const Case& c : cases) {
        CMobile* m = PlaceMobile(++serial, c.body, 1, 1, 0, 3);
        CObjectManager::AddLink(m, kItem | serial, c.flag);
        EXPECT_EQ(m->GetSerial(), serial | 0x80000000);
        EXPECT_EQ(m->animAction, c.action) << c.body;
        EXPECT_EQ(m->animFrameCount, c.frames) << c.body;
    }
    auto* first = static_cast<CMobile*>(CObjectManager::FindObject(11 | 0x80000000));
    CObjectManager::AddLink(first, kItem | 11, 0);
    EXPECT_EQ(CObjectManager::linkedPairs.size(), std::size(cases)) << "a corpse is linked once";

    CDynamicObj* corpse = PlaceItem(kItem | 12, CORPSE_OBJ, 1, 1);
    EXPECT_TRUE(CObjectManager::IsLinked(kItem | 12, 0));
    EXPECT_TRUE(CObjectManager::IsLinked(0, 12 | 0x80000000));
    EXPECT_EQ(CObjectManager::GetLinkedObject(12 | 0x80000000), corpse);

    // The animation's end: the corpse faces as the mobile did (bit 7 for a
    // flag of 0) and the mobile goes.
    CObjectManager::RemoveLink(0, 12 | 0x80000000, FALSE);
    EXPECT_FALSE(CObjectManager::IsLinked(kItem | 12, 0));
    EXPECT_EQ(corpse->direction, 3 | 0x80);
    EXPECT_EQ(view.CountObjEvents("add", corpse), 2) << "re-sorted";
    EXPECT_EQ(CObjectManager::FindObject(12 | 0x80000000), nullptr);

    // A mobile that goes otherwise takes its pair along, keeping itself.
    delete CObjectManager::FindObject(13 | 0x80000000);
    EXPECT_FALSE(CObjectManager::IsLinked(0, 13 | 0x80000000));

    // The player outlives its death animation.
    CPlayer* player = MakePlayer(1, 1, 400, 50);
    CObjectManager::AddLink(player, kItem | 50, 1);
    CObjectManager::RemoveLink(kItem | 50, 0, FALSE);
    EXPECT_EQ(pPlayerObject, player);
    EXPECT_EQ(CObjectManager::FindObject(50), player) << "its own serial again";
}

TEST_F(PlacementTest, LeavingTheGameReleasesEverythingButThePlayer) {
    CPlayer* player = MakePlayer();
    CDynamicObj* worn = NewDynamicObj(kItem | 1, kShirt, 0);
    worn->ToEquipped(player, 5);
    CDynamicObj* bank = NewDynamicObj(kItem | 2, kShirt, 0);
    bank->ToEquipped(player, 29);
    PlaceItem(kItem | 3, kBag, 101, 101);
    PlaceMobile(4, 400, 102, 102);
    CDynamicObj* stray = NewDynamicObj(kItem | 5, kShirt, 0);  // never placed
    CObj* part = NewStaticObj(kShirt);
    part->SetMultiComp();
    CObjectManager::AddMultiComp(part);  // out of range: in the void

    CObjectManager::ReleaseAllObjects();
    EXPECT_EQ(pPlayerObject, player);
    EXPECT_TRUE(player->inVoid);
    EXPECT_EQ(player->equippedItem[5], nullptr);
    EXPECT_EQ(player->equippedItem[29], bank) << "only layers 0..25 go";
    EXPECT_EQ(CObjectManager::worldList, nullptr);
    EXPECT_EQ(CObjectManager::multiCompList, nullptr);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 5), nullptr);
    EXPECT_EQ(CObjectManager::masterMobileList, player);
    EXPECT_EQ(StaticPoolCounts().inUse, 0);
    (void)stray;
}

TEST_F(PlacementTest, PickingUpRecordsTheObjectAndForgetsIt) {
    CPlayer* player = MakePlayer(100, 100);
    tiles.items[kShirt].flags = TILE_STACKABLE;
    tw::datafiles::WriteBytes("tiledata.mul", tiles.bytes());
    CObjectManager::LoadTileData();
    CDynamicObj* far = PlaceItem(kItem | 1, kShirt, 110, 100);
    CObjectManager::GetObject(far, 1);
    EXPECT_FALSE(CObjectManager::holdingItem) << "out of reach";

    CDynamicObj* pile = PlaceItem(kItem | 2, kShirt, 101, 100, 0, 10);
    CObjectManager::GetObject(pile, 0);
    EXPECT_NE(ReportLog().find("Prevented client crash"), std::string::npos);
    ASSERT_EQ(gumps.hooks.calls.size(), 1u);
    EXPECT_EQ(gumps.hooks.calls[0].rfind("CreateStackGump", 0), 0u) << "the amount gump";
    EXPECT_FALSE(CObjectManager::holdingItem) << "the amount is asked for first";

    CClientSock connection;
    g_pGameSocket = &connection;
    CDynamicObj* shirt = NewDynamicObj(kItem | 3, kShirt, 2);
    shirt->hue = 0x4000 | 3500;
    shirt->amount = 5;
    shirt->ToEquipped(player, 4);
    CObjectManager::GetObject(shirt, 2);
    ASSERT_TRUE(CObjectManager::holdingItem);
    const HeldObject& h = CObjectManager::held;
    EXPECT_EQ(h.serial, kItem | 3);
    EXPECT_EQ(h.increment, 2);
    EXPECT_EQ(h.hue, 0x4001);
    EXPECT_EQ(h.amount, 2);
    EXPECT_EQ(h.mobileSerial, 1u);
    EXPECT_EQ(h.layer, 4);
    EXPECT_EQ(h.containerSerial, 0u);
    EXPECT_EQ(CObjectManager::FindObject(kItem | 3), nullptr);
    EXPECT_EQ(player->equippedItem[4], nullptr);
    EXPECT_EQ(gumps.manager.dragGumpsMade, 1);
    CObjectManager::GetObject(PlaceItem(kItem | 4, kShirt, 100, 101), 1);
    EXPECT_NE(CObjectManager::FindObject(kItem | 4), nullptr) << "one item in the hand at a time";
    EXPECT_EQ(connection.OutputLength(), 7u);
    ASSERT_EQ(SentPackets(connection).size(), 1u);
    EXPECT_EQ(SentPackets(connection)[0], (std::vector<unsigned char>{0x07, 0x40, 0, 0, 3, 0, 2}))
        << "pick up 2 of it";
    g_pGameSocket = nullptr;
}

TEST_F(PlacementTest, RangeIsTakenFromTheHolderTheLastQueuedStepAndTheMultisExtent) {
    MakePlayer(100, 100);
    CDynamicObj* edge = PlaceItem(kItem | 1, kShirt, 103, 97);
    CDynamicObj* beyond = PlaceItem(kItem | 2, kShirt, 104, 100);
    EXPECT_TRUE(CObjectManager::IsInRange(edge, 3));
    EXPECT_FALSE(CObjectManager::IsInRange(beyond, 3));

    // A held object is where its top-level holder stands, whatever its
    // place in the holder.
    auto* bag = new CContainerObj(kItem | 3, kShirt, 0, TRUE);
    bag->ToWorld(Coords{101, 101, 0});
    CDynamicObj* coin = NewDynamicObj(kItem | 4, kShirt, 0);
    coin->ToContainer(bag, Coords{60, 70, 0});
    EXPECT_TRUE(CObjectManager::IsInRange(coin, 3));
    bag->ToVoid();
    bag->ToWorld(Coords{96, 100, 0});
    EXPECT_FALSE(CObjectManager::IsInRange(coin, 3));

    // A mobile is where its last queued step ends.
    CMobile* walker = PlaceMobile(5, 400, 102, 100);
    EXPECT_TRUE(CObjectManager::IsInRange(walker, 3));
    ASSERT_TRUE(walker->QueueStep(MobileStep{105, 100, 0, 400, 2, 0}));
    EXPECT_FALSE(CObjectManager::IsInRange(walker, 3));

    // A multi reaches as far again as its parts stand from its cell.
    beyond->multi = new MultiComponentList();
    beyond->multi->extent = 1;
    EXPECT_TRUE(CObjectManager::IsInRange(beyond, 3));
}

TEST_F(PlacementTest, UsingAnObjectRemembersItAndPicksTheRequest) {
    struct Case {
        int graphic;
        const char* call;  // empty: the use request goes to the server
    } cases[] = {
        {3827, "BeginTarget scroll 1"},
        {3830, "BeginTarget scroll 0"},
        {899, "BeginTarget scroll 2"},
        {kShirt, ""},
    };
    M_DWORD serial = kItem;
    for (const Case& c : cases) {
        requests.calls.clear();
        CClientSock connection;
        g_pGameSocket = &connection;
        CDynamicObj* o = PlaceItem(++serial, c.graphic, 1, 1);
        CObjectManager::UseObject(o);
        EXPECT_EQ(CObjectManager::lastUsedSerial, serial);
        EXPECT_EQ(CObjectManager::lastUsedType, c.graphic);
        if (*c.call) {
            ASSERT_EQ(requests.calls.size(), 1u) << c.graphic;
            EXPECT_EQ(requests.calls[0], std::string(c.call) + " " + std::to_string(serial));
            EXPECT_TRUE(SentPackets(connection).empty());
        } else {
            EXPECT_TRUE(requests.calls.empty());
            ASSERT_EQ(SentPackets(connection).size(), 1u);
            EXPECT_EQ(SentPackets(connection)[0],
                      (std::vector<unsigned char>{0x06, 0x40, 0, 0, M_BYTE(serial)}));
        }
        g_pGameSocket = nullptr;
    }
    auto* map = static_cast<CItemObj*>(PlaceItem(kItem | 0x77, kMap, 1, 1));
    Listed<CGump> mapGump(map);
    Listed<CGump> over;
    map->pinGump = &mapGump;
    CObjectManager::UseObject(map);
    EXPECT_EQ(g_gumpList, &mapGump) << "brought to the front";
    map->pinGump = nullptr;
}

TEST_F(PlacementTest, OverheadTextsKeepTwoOrdinaryOnesAndSurviveARecreation) {
    CDynamicObj* o = PlaceItem(kItem | 1, kShirt, 1, 1);
    o->AddOverheadText("one", 0, 3, nullptr, 0);
    o->AddOverheadText("two", 0, 3, nullptr, 0);
    texts.kinds.push_back({o->textGumps, 1});  // "two" is of another kind
    o->AddOverheadText("three", 0, 3, nullptr, 0);
    o->AddOverheadText("four", 0, 3, nullptr, 0);
    EXPECT_EQ(texts.TextsOf(o), (std::vector<std::string>{"four", "three", "two"}));
    o->ReplaceOverheadText("five", 0, 3, nullptr);
    EXPECT_EQ(texts.TextsOf(o), (std::vector<std::string>{"five", "two"}));

    // Deleted and sent again within four frames: the texts come back.
    o->SaveOverheadText();
    o->Release();
    for (int i = 0; i < 4; ++i) CObjectManager::AgeRecentList();
    CDynamicObj* again = PlaceItem(kItem | 1, kShirt, 1, 1);
    EXPECT_EQ(texts.TextsOf(again), (std::vector<std::string>{"five", "two"}));
    EXPECT_TRUE(CObjectManager::recentTexts.empty());

    again->SaveOverheadText();
    again->Release();
    for (int i = 0; i < 5; ++i) CObjectManager::AgeRecentList();
    EXPECT_TRUE(CObjectManager::recentTexts.empty()) << "too late";
}

TEST_F(PlacementTest, ThePlayersLightFollowsItIntoAndOutOfTheWorld) {
    CPlayer* player = MakePlayer();
    CObjectManager::SetPlayerLight(player, 5);
    EXPECT_EQ(view.personalLight, 5);
    CObjectManager::SetPlayerLight(player, 3);
    EXPECT_EQ(view.personalLight, 3);
    player->ToVoid();
    EXPECT_EQ(view.personalLight, 0);
    CObjectManager::SetPlayerLight(player, 4);  // in the void: stored only
    EXPECT_EQ(view.personalLight, 0);
    player->ToWorld(Coords(1, 1, 0));
    EXPECT_EQ(view.personalLight, 4);
    CDynamicObj* other = PlaceItem(kItem | 1, kShirt, 1, 1);
    CObjectManager::SetPlayerLight(other, 9);
    EXPECT_EQ(other->personalLight, 0) << "only the player's light counts";
}
