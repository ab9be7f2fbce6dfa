// The handlers of the player's messages (login confirmation, position,
// walking, status, vital pairs and skills), the extended commands, war mode
// and corpse links.
#include <cstring>

#include "WorldMessageFixture.h"
#include "config/Config.h"
#include "net/ClientSock.h"
#include "world/MoveManager.h"

using namespace tw::test;

namespace {

constexpr M_DWORD kMobile = 0x20;

std::vector<M_BYTE> LoginConfirm(M_DWORD serial, int x, int y, int z) {
    return tw::test::LoginConfirm(serial, kHuman, static_cast<M_WORD>(x), static_cast<M_WORD>(y),
                                  static_cast<M_WORD>(z), 2);
}

std::vector<M_BYTE> ExtendedStatus(M_DWORD serial, int str, int dex, int intel) {
    return Msg(0x11)
        .u32(serial)
        .text("Alia", 30)
        .u16(50)
        .u16(60)
        .u8(1)
        .u8(1)
        .u8(0)
        .u16(str)
        .u16(dex)
        .u16(intel)
        .u16(10)
        .u16(20)
        .u16(30)
        .u16(40)
        .u32(0x12345)
        .u16(0)
        .u16(0);
}

TEST_F(WorldMessageTest, LoginConfirmationPlacesThePlayerAndAsksForItsStatus) {
    CPlayer* player = new CPlayer(0);
    pPlayerObject = player;
    PlaceMobile(0x77, kHuman, 5, 5);  // the serial still names an object
    CClientSock connection;
    g_pGameSocket = &connection;
    ShowTips = FALSE;
    Dispatch(LoginConfirm(0x77, 1200, 1300, 5));
    g_pGameSocket = nullptr;
    EXPECT_EQ(player->GetSerial(), 0x77u);
    EXPECT_EQ(Find(0x77), player);
    EXPECT_FALSE(player->inVoid);
    EXPECT_EQ(player->locX, 1200);
    EXPECT_EQ(player->locY, 1300);
    EXPECT_EQ(player->z, 5);
    EXPECT_EQ(player->direction, 2);
    EXPECT_EQ(worldmsg::mapArea.width, 6144);
    EXPECT_EQ(upper.title, "Alia (Test Shard)");
    EXPECT_EQ(upper.calls, (std::vector<std::string>{"ResetWorldState", "CloseLoginGumps",
                                                     "SystemMessage 0 3 Welcome to Tarrowmere!",
                                                     "ClearBackBuffer", "SetInWorld"}));
    const auto sent = SentPackets(connection);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], (std::vector<M_BYTE>{0x34, 0xED, 0xED, 0xED, 0xED, 5, 0, 0, 0, 0x77}));
    EXPECT_EQ(sent[1][0], 0xBD);
}

TEST_F(WorldMessageTest, StatusReportsChangesOnlyOnceTheAttributesAreKnown) {
    MakePlayer(100, 100);
    StatReport = TRUE;
    Dispatch(LoginConfirm(kPlayerSerial, 100, 100, 0));
    upper.calls.clear();
    Dispatch(ExtendedStatus(kPlayerSerial, 50, 40, 30));
    EXPECT_TRUE(upper.Calls("SystemMessage").empty()) << "first status after login";
    Dispatch(ExtendedStatus(kPlayerSerial, 48, 40, 33));
    EXPECT_EQ(upper.Calls("SystemMessage"),
              (std::vector<std::string>{
                  "SystemMessage 368 3 Your strength has changed by -2.  It is now 48.",
                  "SystemMessage 368 3 Your intelligence has changed by 3.  It is now 33."}));
    EXPECT_EQ(upper.Calls("SetShopGold"), std::vector<std::string>(2, "SetShopGold 9029"));
    EXPECT_EQ(worldmsg::status.vital2Maximum, 40);

    // Without extended data the attributes are 0 and nothing is reported.
    upper.calls.clear();
    Dispatch(Msg(0x11).u32(kPlayerSerial).text("Alia", 30).u16(50).u16(60).u8(0).u8(0));
    EXPECT_EQ(worldmsg::status.strength, 0);
    EXPECT_TRUE(upper.Calls("SystemMessage").empty());
    EXPECT_EQ(upper.Calls("ShowStatus"), std::vector<std::string>{"ShowStatus 1 Alia rename=0"});
}

TEST_F(WorldMessageTest, ANameThatFillsItsFieldIsCutAndTerminated) {
    Dispatch(Msg(0x11).u32(5).text(std::string(30, 'N'), 30).u16(1).u16(2).u8(1).u8(0));
    EXPECT_EQ(std::string(worldmsg::status.name), std::string(30, 'N'));
}

TEST_F(WorldMessageTest, PlayerUpdateMovesOnlyThePlayerAndEndsTheResync) {
    CPlayer* player = MakePlayer(100, 100);
    MoveManager::resync = TRUE;
    MoveManager::resyncSent = TRUE;
    Dispatch(Msg(0x20).u32(0x55).u16(kHuman).u8(0).u16(0).u8(0).u16(5).u16(6).u16(0).u8(0).u8(0));
    EXPECT_EQ(player->locX, 100);
    EXPECT_TRUE(MoveManager::resync);
    Dispatch(Msg(0x20)
                 .u32(kPlayerSerial)
                 .u16(kHuman)
                 .u8(0)
                 .u16(3001)
                 .u8(4)
                 .u16(110)
                 .u16(111)
                 .u16(0)
                 .u8(6)
                 .u8(3));
    EXPECT_EQ(player->locX, 110);
    EXPECT_EQ(player->locY, 111);
    EXPECT_EQ(player->z, 3);
    EXPECT_EQ(player->direction, 6);
    EXPECT_EQ(player->hue, 1) << "hues above 2999 become 1";
    EXPECT_TRUE(player->inList);
    EXPECT_FALSE(MoveManager::resync);
    EXPECT_FALSE(MoveManager::resyncSent);
    EXPECT_EQ(weather.stops, 1);
    EXPECT_EQ(upper.Calls("RefreshStatusGumps"), std::vector<std::string>{"RefreshStatusGumps 1"});
}

TEST_F(WorldMessageTest, WalkRejectionResetsTheSequenceAndAckTakesTheState) {
    CPlayer* player = MakePlayer(100, 100);
    MoveManager::sequence = 7;
    Dispatch(Msg(0x21).u8(7).u16(90).u16(91).u8(5).u8(2));
    EXPECT_EQ(MoveManager::sequence, 0u);
    EXPECT_EQ(MoveManager::queueCount, 0);
    EXPECT_EQ(player->locX, 90);
    EXPECT_EQ(player->direction, 5);
    Dispatch(Msg(0x22).u8(0).u8(4));
    EXPECT_EQ(player->stateValue, 4);
}

TEST_F(WorldMessageTest, FollowAndGroupShowTheirTextsOverTheRightObject) {
    MakePlayer(100, 100);
    PlaceMobile(kMobile, kHuman, 101, 100);
    Dispatch(Msg(0x15).u32(0).u32(kMobile));
    EXPECT_TRUE(MoveManager::following) << "0 first, known second: both texts, flag set";
    ASSERT_EQ(texts.made, 2);
    Dispatch(Msg(0x39).u32(0).u32(2));
    EXPECT_EQ(texts.made, 2) << "first 0, second 2: nothing";
    Dispatch(Msg(0x39).u32(kPlayerSerial).u32(kMobile));
    EXPECT_EQ(texts.made, 3);
}

TEST_F(WorldMessageTest, VitalsReachThePlayerAndOnlyKnownMobiles) {
    CPlayer* player = MakePlayer(100, 100);
    PlaceItem(kItem | 1, kShirt, 101, 100);
    Dispatch(Msg(0x2D).u32(kPlayerSerial).u16(10).u16(9).u16(20).u16(19).u16(30).u16(29));
    EXPECT_EQ(player->vitalMaximum[2], 30);
    EXPECT_EQ(player->vitalCurrent[1], 19);
    Dispatch(Msg(0xA3).u32(kPlayerSerial).u16(40).u16(39));
    EXPECT_EQ(player->vitalCurrent[2], 39);
    EXPECT_EQ(player->vitalCurrent[0], 9) << "the other pairs stay";
    upper.calls.clear();
    Dispatch(Msg(0xA1).u32(kItem | 1).u16(1).u16(1));
    EXPECT_TRUE(upper.calls.empty());
}

TEST_F(WorldMessageTest, SkillsFillTheTablesWithinTheirBounds) {
    Dispatch(Msg(0x3A).u8(0).u16(1).u16(500).u16(50).u16(700).u16(51).u16(9).u16(0));
    EXPECT_EQ(worldmsg::skills.values[0], 500) << "skill number 1 is index 0";
    EXPECT_EQ(worldmsg::skills.values[49], 700);
    Dispatch(Msg(0x3A).u8(255).u16(0).u16(510));
    EXPECT_EQ(worldmsg::skills.values[0], 510);
    Dispatch(Msg(0x3A).u8(255).u16(50).u16(1));
    EXPECT_EQ(upper.calls,
              (std::vector<std::string>{"SkillList 0", "SkillChange 0 510", "RedrawSkillGump"}));
    Msg names(0x3A);
    names.u8(254).u16(2).u8(1).u8(5).text("Alch", 5).u8(0).u8(100).raw(
        std::vector<M_BYTE>(100, 'x'));
    Dispatch(names);
    EXPECT_EQ(worldmsg::skills.nameCount, 2);
    EXPECT_STREQ(worldmsg::skills.names[0], "Alch");
    EXPECT_EQ(strlen(worldmsg::skills.names[1]), size_t(SKILL_NAME_LENGTH - 1));
}

TEST_F(WorldMessageTest, ExtendedCommandsFillTheWalkKeys) {
    CPlayer* player = MakePlayer(100, 100);
    player->walkKeys[3] = 99;
    Msg all(0xBF);
    all.u16(1);
    for (int i = 0; i < 10; ++i) all.u32(i == 3 ? 0 : 100 + i);
    Dispatch(all);
    EXPECT_EQ(player->walkKeys[0], 100u);
    EXPECT_EQ(player->walkKeys[3], 0u) << "0 leaves the slot empty";
    player->walkKeys[3] = 5;
    Dispatch(Msg(0xBF).u16(2).u32(777));
    EXPECT_EQ(player->walkKeys[9], 109u) << "all full: the key is dropped";
    for (int sub : {0, 4}) Dispatch(Msg(0xBF).u16(sub).u32(1));
    EXPECT_EQ(player->walkKeys[0], 100u);
}

TEST_F(WorldMessageTest, WarModeKeepsTheFightSettingsAndCorpseLinksNeedAMobile) {
    MakePlayer(100, 100);
    Dispatch(Msg(0x72).u8(0).u8(4).u8(5).u8(6));
    Dispatch(Msg(0x72).u8(0).u8(7).u8(8).u8(9));
    EXPECT_EQ(upper.fightModes[0], 7);
    EXPECT_EQ(upper.Calls("ApplyWarMode"), std::vector<std::string>(2, "ApplyWarMode 0"));

    PlaceItem(kItem | 1, kShirt, 101, 100);
    Dispatch(Msg(0xAF).u32(kItem | 1).u32(kItem | 2).u32(0));
    Dispatch(Msg(0xAF).u32(0x5555).u32(kItem | 2).u32(0));
    EXPECT_TRUE(CObjectManager::linkedPairs.empty());
    PlaceMobile(kMobile, kHuman, 102, 100);
    Dispatch(Msg(0xAF).u32(kMobile).u32(kItem | 2).u32(0));
    ASSERT_EQ(CObjectManager::linkedPairs.size(), 1u);
    EXPECT_EQ(CObjectManager::linkedPairs[0].flag, 1);
}

}  // namespace
