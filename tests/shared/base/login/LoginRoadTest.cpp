#include <cstring>
#include <string>
#include <vector>

#include "ProcessFlags.h"
#include "app/App.h"
#include "app/SmallMessages.h"
#include "view/Light.h"
#include "config/Config.h"
#include "login/LoginRoad.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/LoopbackServer.h"
#include "support/TwTest.h"
#include "support/doubles/RecordingConnection.h"
#include "support/doubles/RecordingLoginScreens.h"

namespace {

using tw::test::Bytes;
using tw::test::LoopbackServer;
using tw::test::PollUntil;
using Calls = std::vector<std::string>;

// A message under construction: the id, a length placeholder for variable
// ids, then fields; done() puts the length in.
struct Msg {
    Bytes b;
    explicit Msg(M_BYTE id) : b(IsVariablePacket(id) ? Bytes{id, 0, 0} : Bytes{id}) {
        b.reserve(256);
    }
    Msg& u8(unsigned v) { b.push_back(static_cast<M_BYTE>(v)); return *this; }
    Msg& u16(unsigned v) { return u8(v >> 8).u8(v); }
    Msg& u32(M_DWORD v) { return u16(v >> 16).u16(v & 0xFFFF); }
    // A fixed field: the text's bytes (no terminator added), zero-padded.
    Msg& field(const std::string& text, size_t width) {
        for (size_t i = 0; i < width; ++i) b.push_back(i < text.size() ? text[i] : 0);
        return *this;
    }
    Msg& slots(const std::vector<std::string>& names) {
        for (int k = 0; k < 5; ++k) {
            field(k < static_cast<int>(names.size()) ? names[k] : "", 30);
            field(k < static_cast<int>(names.size()) && !names[k].empty() ? "pw" : "", 30);
        }
        return *this;
    }
    Msg& city(int index, const std::string& name, const std::string& area) {
        return u8(static_cast<M_BYTE>(index)).field(name, 31).field(area, 31);
    }
    Bytes done() {
        if (IsVariablePacket(b[0])) {
            b[1] = static_cast<M_BYTE>(b.size() >> 8);
            b[2] = static_cast<M_BYTE>(b.size());
        }
        return b;
    }
};

Msg ShardRecord(Msg m, unsigned id, const std::string& name, int timeZone) {
    return m.u16(id).field(name, 32).u8(0).u8(static_cast<M_BYTE>(timeZone)).u32(0x7F000001);
}

void Deliver(const Bytes& b) {
    PacketManager::Dispatch(PacketIn(b.data(), b.size()));
}

class LoginRoadTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        InstallLoginHandlers();
        g_timeZoneMinutesWest = 0;
        ReplaceGameSocket(new CClientSock);
        upper.connected = 1;
    }
    void TearDown() override {
        g_quitFlag = 0;
        g_exitStatus = 0;
        ReplaceGameSocket(nullptr);
        TwTest::TearDown();
    }

    tw::doubles::RecordingConnection upper;
    tw::doubles::RecordingLoginScreens screens;
};

// Messages too short for what they announce, negative counts and oversized
// counts are dropped whole: no screen changes, the tables keep what they had.
TEST_F(LoginRoadTest, HostileMessagesAreDroppedWhole) {
    struct Case {
        const char* what;
        Bytes message;
    };
    std::vector<Case> cases = {
        {"0xA8 without its count", Msg(0xA8).u8(1).done()},
        {"0xA8 negative count", Msg(0xA8).u8(1).u16(0x0080).done()},
        {"0xA8 three shards announced, one sent",
         ShardRecord(Msg(0xA8).u8(1).u16(3), 1, "One", 0).done()},
        {"0xA8 half a record", Msg(0xA8).u8(1).u16(1).u16(7).field("Half", 10).done()},
        {"0x81 without its slots", Msg(0x81).u8(1).u8(2).slots({"A"}).done()},
        {"0x81 negative shard count", Msg(0x81).u8(1).u8(2).slots({"A"}).u8(0xFF).u8(0).done()},
        {"0x81 shards announced, none sent", Msg(0x81).u8(1).u8(2).slots({"A"}).u8(4).done()},
        {"0x81 negative city count",
         Msg(0x81).u8(1).u8(2).slots({"A"}).u8(0).u8(0x90).done()},
        {"0xA9 cities announced, one sent",
         Msg(0xA9).u8(1).slots({"A"}).u8(3).city(0, "Town", "Inn").done()},
        {"0xA9 slots cut off", Msg(0xA9).u8(1).field("Abc", 40).done()},
        {"0x86 slots cut off", Msg(0x86).u8(1).field("Abc", 90).done()},
        {"0x82 empty", Bytes{0x82}},
        {"0x53 empty", Bytes{0x53}},
        {"0x85 empty", Bytes{0x85}},
        {"0x8C without its key", Bytes{0x8C, 127, 0, 0, 1, 0x10, 0x00}},
        {"0x30 without its serial", Bytes{0x30, 0, 1}},
        {"0x4F empty", Bytes{0x4F}},
        {"0xBA without its y", Bytes{0xBA, 1, 0, 5}},
        {"0xB7 without its serial", Msg(0xB7).u16(1).done()},
    };
    InstallSmallMessageHandlers();
    thelightthingie::ambientLevel = 3;
    screens.open = kLoginAcctGump | kLoginCharSelectGump;
    login::g_road.shardCount = 2;
    strcpy(login::g_road.characters[0].name, "Kept");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        screens.calls.clear();
        Deliver(c.message);
        EXPECT_EQ(screens.calls, Calls{});
        EXPECT_EQ(login::g_road.shardCount, 2);
        EXPECT_STREQ(login::g_road.characters[0].name, "Kept");
        EXPECT_EQ(upper.connected, 1);
        EXPECT_EQ(thelightthingie::ambientLevel, 3);
    }
    EXPECT_NE(ReportLog().find("dropped"), std::string::npos);
}

// Names without terminators are cut to their fields: shard names to 15
// characters, character names and passwords to 30, city names to 30.
TEST_F(LoginRoadTest, UnterminatedNamesAreCutToTheirFields) {
    const std::string long32(32, 'S');
    Deliver(ShardRecord(Msg(0xA8).u8(9).u16(1), 4, long32, 0).done());
    EXPECT_EQ(std::string(login::g_road.shards[0].name), std::string(15, 'S'));

    screens.calls.clear();
    Msg chars(0xA9);
    chars.u8(1).field(std::string(30, 'N'), 30).field(std::string(30, 'P'), 30);
    for (int k = 1; k < 5; ++k) chars.field("", 60);
    chars.u8(1).u8(0).field(std::string(31, 'C'), 31).field(std::string(31, 'A'), 31);
    Deliver(chars.done());
    EXPECT_EQ(std::string(login::g_road.characters[0].name), std::string(30, 'N'));
    EXPECT_EQ(std::string(login::g_road.characters[0].password), std::string(30, 'P'));
    EXPECT_EQ(std::string(login::g_road.cityText[0]),
              std::string(30, 'C') + ": " + std::string(30, 'A'));
    EXPECT_EQ(screens.calls[1], "AddCharacter 0 " + std::string(30, 'N') + " " +
                                    std::string(30, 'P'));
}

// The shard list: the key is saved, the shards are ordered by time-zone
// distance (first found wins among equals, zone 50 never taken by the
// scan), unnamed shards are "Unknown Server" and a negative low id byte is
// shown negated in hue 995.
TEST_F(LoginRoadTest, ShardListIsSortedAndShown) {
    screens.open = kLoginAcctGump | kLoginWaitingGump;
    Msg m(0xA8);
    m.u8(77).u16(4);
    m = ShardRecord(m, 1, "Far", 9);
    m = ShardRecord(m, 2, "Unsorted", 50);
    m = ShardRecord(m, 0x00FE, "Near", 1);
    m = ShardRecord(m, 4, "", 1);
    Deliver(m.done());
    EXPECT_EQ(login::g_road.nextLoginKey, 77);
    EXPECT_EQ(NextLoginKey, 77);
    EXPECT_NE(tw::test::ReadFile("tw.cfg").find("NextLoginKey=77"), std::string::npos);
    EXPECT_EQ(screens.calls, (Calls{"Close 0x11", "Input 0x4 0", "ShowShards 4 0",
                                    "Shard 2 995 Near", "Shard 4 0 Unknown Server",
                                    "Shard 1 0 Far", "Shard 2 0 Unsorted"}));
}

TEST_F(LoginRoadTest, NoShardsMeansTheServersAreDown) {
    LoopbackServer server;
    for (unsigned count : {0u, 256u}) {
        SCOPED_TRACE(count);
        ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
        upper.connected = 1;
        screens.open = kLoginAcctGump | kLoginWaitingGump;
        screens.calls.clear();
        Deliver(Msg(0xA8).u8(3).u16(count).done());
        EXPECT_EQ(screens.calls,
                  (Calls{"Close 0x1", "Input 0x4 0",
                         "OpenBox 0x4 0 The Tarrowmere servers are currently down.  Please try "
                         "again in a few moments."}));
        EXPECT_EQ(upper.connected, 0);
        EXPECT_EQ(g_pGameSocket->Descriptor(), -1);
    }
}

TEST_F(LoginRoadTest, RefusalsShowTheirTexts) {
    struct Case {
        unsigned reason;
        const char* box;
    } cases[] = {
        {1, "OpenBox 0x4 0 Someone is already using this account."},
        {3, "OpenBox 0x4 0 Your account credentials are invalid. Check your user ID and password "
            "and try again."},
        {9, "OpenBox 0x4 1 There is some problem communicating with Corvane. Please restart "
            "Tarrowmere and try again."},
        {254, "Input 0x8 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        screens.calls.clear();
        Deliver(Bytes{0x82, static_cast<M_BYTE>(c.reason)});
        EXPECT_EQ(screens.calls, (Calls{"Close 0x1", c.box, "Input 0x4 1"}));
    }
}

TEST_F(LoginRoadTest, ErrorCodesShowTheirBoxes) {
    const std::string attach =
        "The client could not attach to the game server. It must have been taken down, please "
        "wait a few minutes and try again.";
    struct Case {
        unsigned code;
        bool list;
        std::string last;
    } cases[] = {
        {0, true, "OpenBox 0x10 0 Incorrect password."},
        {0, false, "OpenBox 0x0 1 You entered an incorrect password.  Closing..."},
        {2, true, "OpenBox 0x10 0 This character already exists.\nPlaying..."},
        {4, false, "OpenBox 0x4 0 " + attach},
        {200, true, "OpenBox 0x10 0 " + attach},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        screens.open = c.list ? unsigned{kLoginCharSelectGump} : 0u;
        screens.calls.clear();
        Deliver(Bytes{0x53, static_cast<M_BYTE>(c.code)});
        ASSERT_EQ(screens.calls.size(), 2u);
        EXPECT_EQ(screens.calls[0], "Close 0xEB");
        EXPECT_EQ(screens.calls[1], c.last);
    }
    EXPECT_EQ(g_quitFlag.load(), 0);
}

// A missing character with no character list to return to ends the run,
// and the program says it failed.
TEST_F(LoginRoadTest, AMissingCharacterWithoutAListEndsWithAnErrorStatus) {
    tw::test::StderrCapture errors;
    Deliver(Bytes{0x53, 1});
    EXPECT_EQ(g_quitFlag.load(), 1);
    EXPECT_EQ(g_exitStatus.load(), 1);
    EXPECT_NE(errors.text().find("Character does not exist."), std::string::npos);
    EXPECT_EQ(screens.calls, Calls{"Close 0xEB"});
}

TEST_F(LoginRoadTest, AMissingCharacterLeavesTheListAndTheSelectionMovesUp) {
    screens.open = kLoginCharSelectGump;
    for (int selected : {2, 0}) {
        SCOPED_TRACE(selected);
        login::g_road.selectedSlot = selected;
        strcpy(login::g_road.characters[selected].name, "Gone");
        screens.calls.clear();
        Deliver(Bytes{0x53, 1});
        EXPECT_EQ(screens.calls[1], "RemoveCharacter " + std::to_string(selected));
        EXPECT_STREQ(login::g_road.characters[selected].name, "");
        EXPECT_EQ(login::g_road.selectedSlot, selected > 0 ? selected - 1 : 0);
    }
}

// Characters and cities: a city index outside the list falls back to the
// first city; no character at all goes straight to creation.
TEST_F(LoginRoadTest, CharactersAndCities) {
    screens.open = kLoginAcctGump | kLoginWaitingGump;
    Deliver(Msg(0xA9)
                .u8(2)
                .slots({"Ann", "", "Bob"})
                .u8(2)
                .city(1, "Port", "Docks")
                .city(9, "Vale", "Mill")
                .done());
    EXPECT_EQ(screens.calls,
              (Calls{"NewCharacterList", "AddCharacter 0 Ann pw", "AddCharacter 2 Bob pw",
                     "Close 0x1", "Input 0x4 0", "ShowCharacterList"}));
    EXPECT_EQ(login::g_road.cityCount, 2);
    EXPECT_STREQ(login::g_road.cityText[1], "Vale: Mill");
    EXPECT_EQ(login::g_road.cityIndex[0], 1);
    EXPECT_EQ(login::g_road.cityIndex[1], 0);

    screens.calls.clear();
    Deliver(Msg(0xA9).u8(0).slots({}).u8(0).done());
    EXPECT_EQ(screens.calls.back(), "StartCharacterCreation");
}

TEST_F(LoginRoadTest, ListUpdatesAndDeleteRefusalsNeedTheCharacterList) {
    const Bytes update = Msg(0x86).u8(1).slots({"", "Cid"}).done();
    Deliver(update);
    Deliver(Bytes{0x85, 3});
    EXPECT_EQ(screens.calls, Calls{});

    screens.open = kLoginCharSelectGump;
    Deliver(update);
    EXPECT_EQ(screens.calls,
              (Calls{"RemoveCharacter 0", "RemoveCharacter 1", "RemoveCharacter 2",
                     "RemoveCharacter 3", "RemoveCharacter 4", "AddCharacter 1 Cid pw",
                     "Close 0x1", "Input 0x10 1", "ShowCharacterList"}));
    screens.calls.clear();
    Deliver(Bytes{0x85, 7});
    EXPECT_EQ(screens.calls, (Calls{"Close 0x1", "OpenBox 0x10 0 Couldn't carry out your request."}));
}

// The account-accepted message as a shard list: names ending in a number
// are time-zone lists, shown without the number and ordered by distance.
TEST_F(LoginRoadTest, AccountAcceptedListsShardsByTheirTimeZones) {
    screens.open = kLoginAcctGump;
    Msg m(0x81);
    m.u8(0).u8(5).slots({}).u8(3);
    m.u8(1).field("West -8", 16).u8(2).field("East 2", 16).u8(0xFD).field("Home 0", 16);
    m.u8(1).city(0, "Port", "Docks");
    Deliver(m.done());
    EXPECT_EQ(screens.calls,
              (Calls{"Close 0x11", "Input 0x4 0", "ShowShards 3 1", "Shard 3 995 Home",
                     "Shard 2 0 East", "Shard 1 0 West"}));
    EXPECT_EQ(login::g_road.nextLoginKey, 5);
    EXPECT_STREQ(login::g_road.cityText[0], "Port: Docks");
}

// Cities are shuffled by group (a run of equal names); the records of a
// group keep their order, and groups past the twentieth are left out.
TEST_F(LoginRoadTest, AccountAcceptedShufflesCityGroups) {
    screens.open = kLoginAcctGump;
    Msg m(0x81);
    m.u8(0).u8(5).slots({}).u8(1).u8(1).field("Only", 16);
    m.u8(24);
    m.city(0, "Port", "Docks").city(1, "Port", "Market");
    for (int j = 2; j < 24; ++j) m.city(j, "Town" + std::to_string(j), "Inn");
    Deliver(m.done());
    ASSERT_EQ(login::g_road.cityCount, 21);  // 20 groups: Port twice, Town2..Town20
    for (int p = 0; p < login::g_road.cityCount; ++p) {
        const std::string text = login::g_road.cityText[p];
        if (text == "Port: Docks") {
            ASSERT_LT(p + 1, login::g_road.cityCount);
            EXPECT_STREQ(login::g_road.cityText[p + 1], "Port: Market");
            EXPECT_EQ(login::g_road.cityIndex[p + 1], 1);
        }
        EXPECT_EQ(text.find("Town21"), std::string::npos);
    }
}

// 0x8C moves the client to the named server: it sees the relay key as the
// seed, then 0x91 with the account of the login, then game mode.  The same
// server (its address and port) keeps the connection.
TEST_F(LoginRoadTest, RelayConnectsToTheGameServer) {
    LoopbackServer loginServer, gameServer;
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, loginServer.port()));
    const std::string password30(30, 'p');
    login::RememberAccount("account", password30.c_str());

    Deliver(Msg(0x8C).u32(LoopbackServer::kAddress).u16(gameServer.port()).u32(0x12345678).done());
    ASSERT_TRUE(gameServer.WaitForConnections(1));
    M_DWORD seed = 0;
    ASSERT_TRUE(gameServer.ReadSeed(&seed));
    EXPECT_EQ(seed, 0x12345678u);
    gameServer.SetGameMode(true);
    Bytes login;
    ASSERT_TRUE(PollUntil([&] { return gameServer.ReadMessage(&login, 0); }));
    EXPECT_EQ(login, Msg(0x91).u32(0x12345678).field("account", 30).field(password30, 30).done());
    EXPECT_TRUE(g_pGameSocket->IsGameMode());
    EXPECT_TRUE(login::g_road.onGameServer);
    EXPECT_EQ(screens.calls, Calls{"Title Connecting..."});

    // Relayed again to the same server: no new connection.
    CClientSock* before = g_pGameSocket;
    Deliver(Msg(0x8C).u32(LoopbackServer::kAddress).u16(gameServer.port()).u32(0x9).done());
    EXPECT_EQ(g_pGameSocket, before);
    ASSERT_TRUE(PollUntil([&] { return gameServer.ReadMessage(&login, 0); }));
    EXPECT_EQ(login[0], 0x91);
    EXPECT_EQ(gameServer.ConnectionCount(), 1);
}

TEST_F(LoginRoadTest, RelayFailuresReturnToTheAccountLogin) {
    LoopbackServer loginServer;
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, loginServer.port()));
    screens.open = kLoginWaitingGump;
    Deliver(Msg(0x8C).u32(0).u16(1).u32(1).done());
    EXPECT_EQ(screens.calls[1].rfind("OpenBox 0x4 0 The server you have selected is full", 0), 0u);
    EXPECT_EQ(upper.connected, 0);
    EXPECT_EQ(g_pGameSocket->Descriptor(), -1);

    // A port nobody listens on: three attempts, then a fresh connection.
    M_WORD unused;
    {
        LoopbackServer gone;
        unused = gone.port();
    }
    screens.calls.clear();
    upper.connected = 1;
    CClientSock* before = g_pGameSocket;
    Deliver(Msg(0x8C).u32(LoopbackServer::kAddress).u16(unused).u32(1).done());
    EXPECT_NE(g_pGameSocket, before);
    EXPECT_EQ(g_pGameSocket->Descriptor(), -1);
    EXPECT_EQ(upper.connected, 0);
    EXPECT_TRUE(login::g_road.frontEnd);
    EXPECT_EQ(screens.calls.back().rfind("OpenBox 0x4 1 The client could not attach", 0), 0u);
}

// The account login carries a 30-character password whole; a closed
// connection gets nothing.
TEST_F(LoginRoadTest, AccountLoginSendsTheFieldsAndTheKey) {
    LoopbackServer server;
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed;
    ASSERT_TRUE(server.ReadSeed(&seed));
    std::string password(30, 'x');
    std::string account = "player";
    EXPECT_TRUE(CApp::SendAcctLogin(account.data(), password.data(), 42));
    Bytes got;
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
    EXPECT_EQ(got, Msg(0x80).field("player", 30).field(password, 30).u8(42).done());
    EXPECT_EQ(screens.calls, Calls{"OpenWaiting Verifying Account... "});

    g_pGameSocket->Close();
    EXPECT_FALSE(CApp::SendAcctLogin(account.data(), password.data(), 42));
    EXPECT_EQ(g_pGameSocket->OutputLength(), 0u);
}

TEST(DirectionAngle, StaysWithinATurnInEveryQuadrant) {
    struct Case {
        int x, y, expected;
    } cases[] = {{10, 0, 64}, {0, 10, 128}, {-10, 0, 192}, {0, -10, 0}, {10, 10, 96},
                 {-10, 10, 160}, {10, -10, 32}, {-10, -10, 224}, {-10, -1, 197}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        const int angle = GetDirectionAngle(0, 0, c.x, c.y);
        EXPECT_EQ(angle, c.expected);
        EXPECT_GE(angle, 0);
        EXPECT_LT(angle, 256);
    }
}

}  // namespace
