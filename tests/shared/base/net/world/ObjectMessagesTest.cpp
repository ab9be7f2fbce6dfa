// The handlers of the messages that create, move, equip, contain, hand back
// and delete world objects, over the real world model.
#include "WorldMessageFixture.h"

using namespace tw::test;

namespace {

constexpr M_DWORD kItemA = kItem | 0x10;
constexpr M_DWORD kItemB = kItem | 0x11;
constexpr M_DWORD kMobile = 0x20;

struct PutObjectCase {
    const char* name;
    std::vector<M_BYTE> message;
    int graphic, increment, amount, x, y, z, direction, hue, flags;
};

TEST_F(WorldMessageTest, PutObjectReadsTheFieldsItsHighBitsAnnounce) {
    const PutObjectCase cases[] = {
        {"no optional field: 14 bytes", Msg(0x1A).u32(kItemA).u16(kShirt).u16(100).u16(101).u8(5),
         kShirt, 0, 1, 100, 101, 5, 0, 0, 0},
        {"increment before amount",
         Msg(0x1A)
             .u32(kItemA | 0x80000000)
             .u16(kShirt | 0x8000)
             .u8(2)
             .u16(7)
             .u16(100)
             .u16(101)
             .u8(0xFE),
         kShirt, 2, 7, 100, 101, -2, 0, 0, 0},
        {"direction, hue and flags",
         Msg(0x1A)
             .u32(kItemA)
             .u16(kShirt)
             .u16(100 | 0x8000)
             .u16(101 | 0xC000)
             .u8(3)
             .u8(4)
             .u16(33)
             .u8(0x20),
         kShirt, 0, 1, 100, 101, 4, 3, 33, 0x20},
    };
    for (const PutObjectCase& c : cases) {
        SCOPED_TRACE(c.name);
        CObjectManager::reset();
        CObjectManager::startup();
        if (c.message == cases[0].message) {
            EXPECT_EQ(c.message.size(), 14u);
        }
        Dispatch(c.message);
        CDynamicObj* o = Find(kItemA);
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(o->objectType, c.graphic);
        EXPECT_EQ(o->increment, c.increment);
        EXPECT_EQ(o->amount, c.amount);
        EXPECT_EQ(o->locX, c.x);
        EXPECT_EQ(o->locY, c.y);
        EXPECT_EQ(o->z, c.z);
        EXPECT_EQ(o->direction, c.direction);
        EXPECT_EQ(o->hue, c.hue);
        EXPECT_EQ(o->statusFlags, c.flags);
    }
}

TEST_F(WorldMessageTest, PutObjectAndDeleteLeaveThePlayerAlone) {
    CPlayer* player = MakePlayer(100, 100);
    Dispatch(Msg(0x1A).u32(kPlayerSerial).u16(kShirt).u16(5).u16(6).u8(0));
    EXPECT_EQ(player->locX, 100);
    EXPECT_EQ(player->objectType, kHuman);
    Dispatch(Msg(0x1D).u32(kPlayerSerial));
    EXPECT_EQ(pPlayerObject, player);
}

TEST_F(WorldMessageTest, DeleteKeepsADyingMobileAndEmptiesTheHand) {
    MakePlayer(100, 100);
    CMobile* dying = PlaceMobile(kMobile, kHuman, 101, 100);
    PlaceItem(kItemA, kShirt, 102, 100);
    CObjectManager::AddLink(dying, kItem | 0x99, 1);
    Dispatch(Msg(0x1D).u32(kMobile | 0x80000000));
    Dispatch(Msg(0x1D).u32(kMobile));
    EXPECT_NE(Find(kMobile | 0x80000000), nullptr) << "linked: kept";

    // The held item is worn on the player's layer 0.
    CDynamicObj* held = Find(kItemA);
    held->ToVoid();
    held->ToEquipped(pPlayerObject, 0);
    CObjectManager::holdingItem = TRUE;
    Dispatch(Msg(0x1D).u32(kItemA));
    EXPECT_EQ(Find(kItemA), nullptr);
    EXPECT_FALSE(CObjectManager::holdingItem);
}

TEST_F(WorldMessageTest, MobileMovingGivesThePlayerOnlyItsFlags) {
    CPlayer* player = MakePlayer(100, 100);
    const std::vector<M_BYTE> same =
        Msg(0x77).u32(kPlayerSerial).u16(999).u16(5).u16(6).u8(0).u8(2).u16(0).u8(0).u8(7);
    Dispatch(same);
    EXPECT_EQ(player->locX, 100);
    EXPECT_EQ(player->objectType, kHuman);
    EXPECT_TRUE(upper.Calls("RefreshStatusGumps").empty()) << "flags unchanged";
    Dispatch(Msg(0x77).u32(kPlayerSerial).u16(999).u16(5).u16(6).u8(0).u8(2).u16(0).u8(0x40).u8(7));
    EXPECT_EQ(player->statusFlags, 0x40);
    EXPECT_EQ(upper.Calls("RefreshStatusGumps"), std::vector<std::string>{"RefreshStatusGumps 1"});

    // Another mobile steps; an unknown serial is ignored.
    CMobile* other = PlaceMobile(kMobile, kHuman, 110, 110);
    Dispatch(Msg(0x77).u32(kMobile).u16(kHuman).u16(111).u16(110).u8(0).u8(2).u16(0).u8(0).u8(3));
    int x, y, z;
    other->GetTargetCell(&x, &y, &z);
    EXPECT_EQ(x, 111);
    EXPECT_EQ(other->stateValue, 3);
    Dispatch(Msg(0x77).u32(0x77).u16(kHuman).u16(1).u16(1).u8(0).u8(2).u16(0).u8(0).u8(3));
    EXPECT_EQ(Find(0x77), nullptr);
}

TEST_F(WorldMessageTest, IncomingMobileWearsItsListUpToTheEndOfTheMessage) {
    MakePlayer(100, 100);
    // The list has no terminating 0: it ends with the message.
    Dispatch(Msg(0x78)
                 .u32(kMobile)
                 .u16(kHuman)
                 .u16(101)
                 .u16(100)
                 .u8(0)
                 .u8(4)
                 .u16(0)
                 .u8(0)
                 .u8(1)
                 .u32(kItemA)
                 .u16(kShirt | 0x8000)
                 .u8(5)
                 .u16(55)
                 .u32(kItemB)
                 .u16(kBag)
                 .u8(21));
    CMobile* m = FindMobile(kMobile);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->locX, 101);
    EXPECT_TRUE(m->inList);
    ASSERT_EQ(m->equippedItem[5], Find(kItemA));
    EXPECT_EQ(Find(kItemA)->hue, 55);
    ASSERT_EQ(m->equippedItem[21], Find(kItemB));
    EXPECT_TRUE(Find(kItemB)->IsContainer());
    EXPECT_EQ(Find(kItemB)->hue, 0) << "graphic bit 15 clear: no hue";
}

TEST_F(WorldMessageTest, OnlyAMobileSeenForTheFirstTimeIsLookedAtWhenNamesAreShown) {
    const struct {
        const char* name;
        bool showNames;
        bool knownBefore;
        M_DWORD serial;
        int body, flags;
        bool looked;
    } cases[] = {
        {"a new mobile", true, false, 0x21, kHuman, 0, true},
        {"names not shown", false, false, 0x22, kHuman, 0, false},
        {"already known", true, true, 0x23, kHuman, 0, false},
        {"flag bit 7 set", true, false, 0x24, kHuman, 0x80, false},
        {"flags without bit 7", true, false, 0x25, kHuman, 0x7F, true},
        {"body 0", true, false, 0x26, 0, 0, false},
        {"the player", true, true, kPlayerSerial, kHuman, 0, false},
    };
    MakePlayer(100, 100);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.knownBefore && c.serial != kPlayerSerial) PlaceMobile(c.serial, kHuman, 101, 100);
        ShowIncomingNames = c.showNames ? TRUE : FALSE;
        CClientSock connection;
        g_pGameSocket = &connection;
        Dispatch(Msg(0x78)
                     .u32(c.serial)
                     .u16(c.body)
                     .u16(101)
                     .u16(100)
                     .u8(0)
                     .u8(4)
                     .u16(0)
                     .u8(c.flags)
                     .u8(1)
                     .u32(0));
        g_pGameSocket = nullptr;
        const auto sent = SentPackets(connection);
        if (c.looked) {
            EXPECT_EQ(sent, (std::vector<std::vector<M_BYTE>>{
                                {0x09, 0, 0, 0, static_cast<M_BYTE>(c.serial)}}));
        } else {
            EXPECT_TRUE(sent.empty());
        }
    }
}

TEST_F(WorldMessageTest, WornItemOfAnotherMobileKeepsItsGraphicThePlayersTakesTheNewOne) {
    CPlayer* player = MakePlayer(100, 100);
    CMobile* other = PlaceMobile(kMobile, kHuman, 101, 100);
    PlaceItem(kItemA, kShirt, 102, 100);
    PlaceItem(kItemB, kShirt, 103, 100);
    Dispatch(Msg(0x2E).u32(kItemA).u16(kShirt + 1).u8(0).u8(5).u32(kMobile).u16(9));
    Dispatch(Msg(0x2E).u32(kItemB).u16(kShirt + 1).u8(0).u8(5).u32(kPlayerSerial).u16(9));
    EXPECT_EQ(other->equippedItem[5], Find(kItemA));
    EXPECT_EQ(Find(kItemA)->objectType, kShirt);
    EXPECT_EQ(player->equippedItem[5], Find(kItemB));
    EXPECT_EQ(Find(kItemB)->objectType, kShirt + 1);
    EXPECT_EQ(Find(kItemB)->hue, 9);
    // Unknown wearer: nothing.
    Dispatch(Msg(0x2E).u32(kItem | 0x50).u16(kShirt).u8(0).u8(5).u32(0x5555).u16(0));
    EXPECT_EQ(Find(kItem | 0x50), nullptr);
}

TEST_F(WorldMessageTest, AKnownItemInTheVoidIsWornWithoutLeavingTheVoidAgain) {
    MakePlayer(100, 100);
    CMobile* other = PlaceMobile(kMobile, kHuman, 101, 100);
    PlaceItem(kItemA, kShirt, 102, 100)->ToVoid();
    PlaceItem(kItemB, kShirt, 103, 100)->ToVoid();
    Dispatch(Msg(0x2E).u32(kItemA).u16(kShirt).u8(0).u8(5).u32(kMobile).u16(0));
    Dispatch(Msg(0x78)
                 .u32(kMobile)
                 .u16(kHuman)
                 .u16(101)
                 .u16(100)
                 .u8(0)
                 .u8(0)
                 .u16(0)
                 .u8(0)
                 .u8(0)
                 .u32(kItemB)
                 .u16(kShirt)
                 .u8(6)
                 .u32(0));
    EXPECT_EQ(other->equippedItem[5], Find(kItemA));
    EXPECT_EQ(other->equippedItem[6], Find(kItemB));
}

TEST_F(WorldMessageTest, ContainerContentReplacesTheContentsInOneBatch) {
    CDynamicObj* bag = PlaceItem(kItemA, kBag, 100, 100);
    Msg one(0x25);
    ContainerRecord(one, kItem | 0x30, kShirt, 1, 10, 10, kItemA);
    Dispatch(one);
    ASSERT_NE(Find(kItem | 0x30), nullptr);

    Msg all(0x3C);
    all.u16(2);
    ContainerRecord(all, kItem | 0x31, kShirt, 2, 20, 21, kItemA, 5);
    ContainerRecord(all, kItem | 0x32, kMap, 1, 30, 31, kItemA);
    Dispatch(all);
    EXPECT_EQ(Find(kItem | 0x30), nullptr) << "the old contents were released";
    ASSERT_NE(Find(kItem | 0x31), nullptr);
    EXPECT_EQ(Find(kItem | 0x31)->containedBy, bag);
    EXPECT_EQ(Find(kItem | 0x31)->amount, 2);
    EXPECT_TRUE(Find(kItem | 0x32)->IsItemObj());
    EXPECT_FALSE(worldmsg::containerBatch);
    EXPECT_EQ(upper.Calls("CloseHolderShopGump"),
              std::vector<std::string>{"CloseHolderShopGump 40000010"});
}

TEST_F(WorldMessageTest, CorpseEquipmentStopsAfterFortyPairs) {
    CDynamicObj* corpse = PlaceItem(kItemA, CORPSE_OBJ, 100, 100);
    ASSERT_TRUE(corpse->IsCorpse());
    Msg m(0x89);
    m.u32(kItemA);
    for (int i = 0; i < 41; ++i) m.u8(1 + i % 25).u32(kItem | (0x100 + i));
    Dispatch(m);
    CCorpse* c = static_cast<CCorpse*>(corpse);
    EXPECT_EQ(c->equippedSerial[1], kItem | (0x100 + 25)) << "pair 26 overwrote layer 1";
    EXPECT_EQ(c->equippedSerial[16], kItem | (0x100 + 15)) << "pair 41 (layer 16) not taken";
}

struct ReturnCase {
    const char* name;
    M_DWORD container;
    M_DWORD mobile;
    std::string where;
};

TEST_F(WorldMessageTest, PickupRejectPutsTheItemBackWhereItWasTaken) {
    MakePlayer(100, 100);
    CMobile* m = PlaceMobile(kMobile, kHuman, 101, 100);
    PlaceItem(kItemB, kBag, 102, 100);
    const ReturnCase cases[] = {
        {"from the world", 0, 0, "world"},
        {"from a container", kItemB, 0, "container"},
        {"worn", 0, kMobile, "worn"},
    };
    for (const ReturnCase& c : cases) {
        SCOPED_TRACE(c.name);
        upper.calls.clear();
        HeldObject& h = CObjectManager::held;
        h = HeldObject();
        h.serial = kItemA;
        h.graphic = kShirt;
        h.amount = 3;
        h.hue = 7;
        h.x = 104;
        h.y = 105;
        h.z = 2;
        h.containerSerial = c.container;
        h.mobileSerial = c.mobile;
        h.layer = 4;
        CObjectManager::holdingItem = TRUE;
        Dispatch(Msg(0x27).u8(4));
        CDynamicObj* item = Find(kItemA);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->amount, 3);
        EXPECT_EQ(item->hue, 7);
        if (c.where == "world") {
            EXPECT_EQ(item->locX, 104);
        } else if (c.where == "container") {
            EXPECT_EQ(item->containedBy, Find(kItemB));
        } else {
            EXPECT_EQ(m->equippedItem[4], item);
        }
        EXPECT_FALSE(CObjectManager::holdingItem);
        EXPECT_EQ(upper.calls,
                  (std::vector<std::string>{"CloseDragGump",
                                            "SystemMessage 0 3 You are already holding an item."}));
        item->Release();
    }
    // Nothing in the hand: the message is dropped and nothing is made.
    const int drops = DropsLogged();
    Dispatch(Msg(0x27).u8(1));
    EXPECT_EQ(Find(kItemA), nullptr);
    EXPECT_EQ(DropsLogged(), drops + 1);
}

struct OpenCase {
    M_DWORD serial;
    int id;
    std::vector<std::string> calls;
};

TEST_F(WorldMessageTest, OpenContainerChoosesTheGumpByIdAndObject) {
    PlaceItem(kItemA, kBag, 100, 100);
    PlaceItem(kItemB, kShirt, 101, 100);
    const OpenCase cases[] = {
        {0xFFFFFFFF, 7, {"OpenGump 0 7 0"}},
        {kItemA, 10, {"OpenGump 40000010 10 0", "OpenGump 40000010 10 1"}},
        {kItemB, 10, {"OpenGump 40000011 10 0"}},
        {kItemA, 60, {"OpenGump 40000010 60 1"}},
        {kItemB, 60, {}},
        {0x999, 60, {}},
        {0x999, 500, {"OpenGump 0 500 0"}},
        {1, 5010, {"OpenGump 0 5010 0"}},
        {0, 5011, {"CloseRadarGump"}},
        {kItemA, 0xFFFF, {"OpenSpellBook 40000010"}},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.id);
        upper.calls.clear();
        Dispatch(Msg(0x24).u32(c.serial).u16(c.id));
        EXPECT_EQ(upper.calls, c.calls);
    }
}

TEST_F(WorldMessageTest, MissileLaunchesFromWhatIsKnown) {
    PlaceMobile(kMobile, kHuman, 100, 100);
    PlaceItem(kItemA, kShirt, 101, 100);
    auto missile = [](M_DWORD source, M_DWORD target) -> std::vector<M_BYTE> {
        return Msg(0x23)
            .u16(0x36D4)
            .u8(1)
            .u16(0)
            .u16(0)
            .u32(source)
            .u16(1)
            .u16(2)
            .u8(3)
            .u32(target)
            .u16(4)
            .u16(5)
            .u8(6);
    };
    Dispatch(missile(kMobile, kItemA));
    Dispatch(missile(kItemA, kItemA));  // an item is no source
    Dispatch(missile(kMobile, 0));
    Dispatch(missile(0, 0));
    EXPECT_EQ(upper.calls, (std::vector<std::string>{
                               "MissileObjToObj 14037 20 40000010 5 1 0",
                               "MissilePosToObj 14037 1,2,3 40000010 5 1 0",
                               "MissileObjToPos 14037 20 4,5,6 5 1 0",
                               "MissilePosToPos 14037 1,2,3 4,5,6 5 1 0",
                           }));
}

}  // namespace
