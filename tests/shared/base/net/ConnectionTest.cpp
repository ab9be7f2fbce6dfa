#include <sys/socket.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/LoopbackServer.h"
#include "support/TwTest.h"
#include "support/doubles/RecordingConnection.h"

namespace {

using tw::test::Bytes;
using tw::test::LoopbackServer;
using tw::test::PollUntil;

// Every message handed to the dispatcher, in order.
std::vector<Bytes> g_dispatched;
// Called by the observer for each message (a stand-in for a handler's side effects).
void (*g_onDispatch)(const PacketIn&) = nullptr;

void observe(const PacketIn& packet) {
    g_dispatched.emplace_back(packet.data(), packet.data() + packet.size());
    if (g_onDispatch) g_onDispatch(packet);
}

class ConnectionTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        g_dispatched.clear();
        g_onDispatch = nullptr;
        PacketManager::SetDispatchObserverForTests(observe);
        upper.chosenPort = server.port();
        ReplaceGameSocket(new CClientSock);
    }

    // Connects the game socket and reads its seed on the server.
    void connect() {
        ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
        ASSERT_TRUE(server.WaitForConnections(1));
        M_DWORD seed;
        ASSERT_TRUE(server.ReadSeed(&seed));
    }

    bool waitForDispatched(size_t count) {
        return PollUntil([&] { return g_dispatched.size() >= count; });
    }

    LoopbackServer server;
    // The application and the windows the connection tells what happened.
    tw::doubles::RecordingConnection upper;
};

Bytes wire(PDSTRUCT& p) {
    size_t n = PacketManager::SealPacket(&p);
    return Bytes(p.data, p.data + n);
}

TEST_F(ConnectionTest, SeedThenTheLoginStreamReachTheServer) {
    g_connectSeed = 0xC0A80102;
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed = 0;
    ASSERT_TRUE(server.ReadSeed(&seed));
    EXPECT_EQ(seed, 0xC0A80102u);

    PDSTRUCT login, talk;
    PacketManager::BuildAcctLogin(&login, "account", "secret", 7);
    PacketManager::BuildTalk(&talk, 0, 0x3B2, 3, "hello there", 11);
    ASSERT_TRUE(g_pGameSocket->Write(&login));
    ASSERT_TRUE(g_pGameSocket->Write(&talk));
    Bytes first, second;
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&first, 0); }));
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&second, 0); }));
    EXPECT_EQ(first, wire(login));
    EXPECT_EQ(second, wire(talk));
    // On the wire the bytes were disguised.
    Bytes raw = server.RawReceived();
    EXPECT_NE(Bytes(raw.begin() + 4, raw.begin() + 4 + first.size()), first);
}

TEST_F(ConnectionTest, WithoutASeedTheLocalAddressIsSent) {
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed = 0;
    ASSERT_TRUE(server.ReadSeed(&seed));
    EXPECT_EQ(seed, g_pGameSocket->GetLocalAddress());
}

TEST_F(ConnectionTest, AnEditServerGetsNoSeedAndPlainBytes) {
    EditServerAddress = 0x7F000001;
    ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    server.SetLoginStream(false);
    PDSTRUCT p;
    PacketManager::BuildSelectServer(&p, 3);
    g_pGameSocket->Write(&p);
    Bytes got;
    ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
    EXPECT_EQ(got, (Bytes{0xA0, 0x00, 0x03}));
    EXPECT_EQ(server.RawReceived(), got);
}

TEST_F(ConnectionTest, GameModeEnciphersAcrossReKeysAndPartialSends) {
    connect();
    // A small send buffer makes the kernel take the output in parts.
    int small = 4096;
    setsockopt(g_pGameSocket->Descriptor(), SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
    g_pGameSocket->SetLoginStreamOff(TRUE);
    g_pGameSocket->SetGameMode(TRUE);
    server.SetGameMode(true);

    std::vector<Bytes> sent;
    std::mt19937 rng(3);
    auto writeSome = [&](int count) {
        for (int i = 0; i < count; ++i) {
            std::string text(200, 'a');
            for (char& c : text) c = static_cast<char>('a' + rng() % 26);
            PDSTRUCT p;
            PacketManager::Build9b(&p, static_cast<M_BYTE>(sent.size()), text.c_str());
            ASSERT_TRUE(g_pGameSocket->Write(&p));
            sent.push_back(wire(p));
        }
    };
    writeSome(200);                       // 240 x 258 bytes in all: past two re-keys
    EXPECT_TRUE(g_pGameSocket->Flush());  // bytes remain after the first send
    // Output written behind bytes already enciphered is enciphered once, after them.
    writeSome(40);
    for (const Bytes& expected : sent) {
        Bytes got;
        ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&got, 0); }));
        ASSERT_EQ(got, expected);
    }
    EXPECT_EQ(g_pGameSocket->OutputLength(), 0u);
}

TEST_F(ConnectionTest, ServerMessagesSplitHeldAndReleasedArriveInOrder) {
    connect();
    const Bytes a = {0x1D, 0x40, 0x00, 0x00, 0x01};
    const Bytes b = {0x1C, 0x00, 0x07, 'a', 'b', 'c', 0};
    const Bytes c = {0x4F, 0x05};
    // a split inside its body; b split inside its length field.
    ASSERT_TRUE(server.SendRaw({a[0], a[1]}));
    PollUntil([] { return false; }, 50);  // the half message arrives and waits
    EXPECT_TRUE(g_dispatched.empty());
    Bytes rest(a.begin() + 2, a.end());
    rest.push_back(b[0]);
    rest.push_back(b[1]);
    ASSERT_TRUE(server.SendRaw(rest));
    ASSERT_TRUE(waitForDispatched(1));
    Bytes tail(b.begin() + 2, b.end());
    ASSERT_TRUE(server.SendRaw(tail));
    ASSERT_TRUE(waitForDispatched(2));

    // Held: nothing is handled until holding ends, then all in order.
    ASSERT_TRUE(server.SendRaw({0x33, 0x01}));
    ASSERT_TRUE(server.SendRaw(c));
    ASSERT_TRUE(server.SendRaw(a));
    ASSERT_TRUE(server.SendRaw({0x33, 0x01}));  // dropped; still holding
    for (int i = 0; i < 50; ++i) g_pGameSocket->Poll();
    EXPECT_EQ(g_dispatched.size(), 2u);
    EXPECT_TRUE(g_pGameSocket->IsHolding());
    ASSERT_TRUE(server.SendRaw({0x33, 0x00, 0x4F, 0x06, 0x55}));
    ASSERT_TRUE(waitForDispatched(5));
    // 0x55 is the last byte received: it waits for the next one.
    for (int i = 0; i < 20; ++i) g_pGameSocket->Poll();
    EXPECT_EQ(g_dispatched.size(), 5u);
    ASSERT_TRUE(server.SendRaw({0x55}));
    ASSERT_TRUE(waitForDispatched(6));
    EXPECT_EQ(g_dispatched, (std::vector<Bytes>{a, b, c, a, {0x4F, 0x06}, {0x55}}));
    EXPECT_FALSE(g_pGameSocket->IsHolding());
}

TEST_F(ConnectionTest, CompressedServerStreamArrivesInOrderAcrossPolls) {
    connect();
    g_pGameSocket->SetGameMode(TRUE);
    std::mt19937 rng(11);
    std::vector<Bytes> messages;
    Bytes stream;
    for (int i = 0; i < 60; ++i) {
        Bytes m;
        if (i % 3 == 0) {
            m = {0x1D, 0x40, 0, 0, static_cast<M_BYTE>(i)};
        } else {
            size_t n = 3 + rng() % 300;
            m.resize(n);
            m[0] = 0x1C;
            m[1] = static_cast<M_BYTE>(n >> 8);
            m[2] = static_cast<M_BYTE>(n);
            for (size_t k = 3; k < n; ++k) m[k] = static_cast<M_BYTE>(rng());
        }
        messages.push_back(m);
        Bytes packed = tw::test::HuffmanEncode(m);
        stream.insert(stream.end(), packed.begin(), packed.end());
    }
    for (size_t at = 0; at < stream.size();) {
        size_t n = std::min<size_t>(stream.size() - at, 1 + rng() % 97);
        ASSERT_TRUE(server.SendRaw(Bytes(stream.begin() + at, stream.begin() + at + n)));
        at += n;
        g_pGameSocket->Poll();
    }
    ASSERT_TRUE(waitForDispatched(messages.size()));
    EXPECT_EQ(g_dispatched, messages);
}

struct MalformedCase {
    const char* name;
    Bytes bytes;
};

TEST_F(ConnectionTest, MalformedInputIsAConnectionLostNeverACrash) {
    const std::vector<MalformedCase> cases = {
        {"id above the table", {0xC2, 0x00, 0x05}},
        {"id 0xFF", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"variable length 0", {0x1C, 0x00, 0x00, 0x1D}},
        {"variable length 2", {0x1C, 0x00, 0x02, 0x1D}},
    };
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.name);
        tw::test::ResetServices();
        upper.waitingGumpTexts.clear();
        upper.CloseWaitingGumps();
        g_dispatched.clear();
        PacketManager::SetDispatchObserverForTests(observe);
        upper.connected = TRUE;
        upper.chosenPort = server.port();
        g_loginComplete = TRUE;  // no reconnection: only "Connection lost"
        ReplaceGameSocket(new CClientSock);
        int before = server.ConnectionCount();
        ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server.port()));
        ASSERT_TRUE(server.WaitForConnections(before + 1));
        ASSERT_TRUE(server.SendRaw(c.bytes));
        ASSERT_TRUE(PollUntil([&] { return !upper.waitingGumpTexts.empty(); }));
        EXPECT_EQ(upper.waitingGumpTexts, std::vector<std::string>{"Connection lost"});
        EXPECT_EQ(g_pGameSocket->Descriptor(), -1);
        EXPECT_TRUE(g_dispatched.empty());
        EXPECT_TRUE(server.WaitForClientClose());
        EXPECT_NE(ReportLog().find("protocol error"), std::string::npos);
    }
}

TEST_F(ConnectionTest, ThePeerClosingIsNoticed) {
    connect();
    upper.connected = TRUE;
    g_loginComplete = TRUE;
    server.CloseConnection();
    ASSERT_TRUE(PollUntil([] { return g_pGameSocket->Descriptor() == -1; }));
    EXPECT_EQ(upper.waitingGumpTexts, std::vector<std::string>{"Connection lost"});
    EXPECT_EQ(upper.dragGumpCloses, 1);
    // Further polls keep the one box and redraw the screen.
    g_pGameSocket->Poll();
    EXPECT_EQ(upper.waitingGumpTexts.size(), 1u);
    EXPECT_GE(upper.screenUpdates, 2);
}

TEST_F(ConnectionTest, ALostConnectionBeforeLoginReconnectsAndLogsInAgain) {
    connect();
    upper.connected = TRUE;
    strcpy(AcctID, "acct");
    strcpy(AcctPassword, "pw");
    NextLoginKey = 9;
    CClientSock* old = g_pGameSocket;
    server.CloseConnection();
    ASSERT_TRUE(PollUntil([&] { return g_pGameSocket != old; }));
    // A new connection to the chosen server, seed first, then the login.
    ASSERT_TRUE(server.WaitForConnections(2));
    M_DWORD seed;
    ASSERT_TRUE(server.ReadSeed(&seed));
    EXPECT_NE(g_pGameSocket->Descriptor(), -1);
    EXPECT_EQ(upper.calls, (std::vector<std::string>{"ChooseServer 0", "SendAcctLogin acct pw 9"}));
    EXPECT_EQ(upper.waitingGumpTexts, std::vector<std::string>{"Connection lost"});
}

TEST_F(ConnectionTest, AConnectionReplacedByItsOwnHandlerLivesUntilItsPollEnds) {
    connect();
    // The first message's "handler" replaces the connection, as the relay does.
    g_onDispatch = [](const PacketIn&) {
        g_onDispatch = nullptr;
        ReplaceGameSocket(new CClientSock);
    };
    CClientSock* old = g_pGameSocket;
    ASSERT_TRUE(server.SendRaw({0x1D, 0, 0, 0, 1, 0x1D, 0, 0, 0, 2, 0x4F}));
    ASSERT_TRUE(PollUntil([&] { return g_pGameSocket != old; }));
    // The rest of the old stream is not handled; the old object is gone
    // (the sanitizer would catch a use after its deletion).
    EXPECT_EQ(g_dispatched.size(), 1u);
    g_pGameSocket->Poll();
}

TEST_F(ConnectionTest, OutputBeyondTheBufferDropsTheConnection) {
    connect();
    PDSTRUCT p;
    PacketManager::Build9b(&p, 1, "x");
    bool refused = false;
    for (int i = 0; i < 300 && !refused; ++i) refused = !g_pGameSocket->Write(&p);
    EXPECT_TRUE(refused);
    EXPECT_EQ(g_pGameSocket->Descriptor(), -1);
    EXPECT_NE(ReportLog().find("overflow the output buffer"), std::string::npos);
    EXPECT_TRUE(server.WaitForClientClose());
}

// Framing rules on input handed straight to the connection.
struct FramingCase {
    const char* name;
    std::vector<Bytes> pieces;  // each piece is one read
    std::vector<Bytes> expected;
    bool holdingAfter;
};

TEST_F(ConnectionTest, FramingAndHoldingRules) {
    const Bytes m1 = {0x1D, 0, 0, 0, 1}, m2 = {0x4F, 0x02}, v = {0x1C, 0x00, 0x04, 0x7A};
    const std::vector<FramingCase> cases = {
        {"variable split before its length", {{0x1C}, {0x00}, {0x04, 0x7A}}, {v}, false},
        {"hold, message, release", {{0x33, 0x01}, m1, {0x33, 0x00}}, {m1}, false},
        {"second hold is dropped", {{0x33, 0x01, 0x33, 0x01}, m2}, {}, true},
        {"release of nothing", {{0x33, 0x00}, m2, {0x55}}, {m2}, false},
        {"held then released with more after",
         {{0x33, 1}, m1, m2, {0x33, 0, 0x4F, 9, 0x16}},
         {m1, m2, {0x4F, 9}},
         false},
    };
    for (const FramingCase& c : cases) {
        SCOPED_TRACE(c.name);
        g_dispatched.clear();
        ReplaceGameSocket(new CClientSock);
        for (const Bytes& piece : c.pieces)
            g_pGameSocket->InjectInputForTests(piece.data(), piece.size());
        EXPECT_EQ(g_dispatched, c.expected);
        EXPECT_EQ(g_pGameSocket->IsHolding() != 0, c.holdingAfter);
    }
}

TEST_F(ConnectionTest, HeldMessagesAreReleasedWhenTheBufferCannotTakeMore) {
    // Hold, then more 0x40 messages (201 bytes each) than 64 KB can keep.
    Bytes stream = {0x33, 0x01};
    Bytes big(201, 0);
    big[0] = 0x40;
    const int count = 400;
    for (int i = 0; i < count; ++i) {
        big[1] = static_cast<M_BYTE>(i);
        stream.insert(stream.end(), big.begin(), big.end());
    }
    g_pGameSocket->InjectInputForTests(stream.data(), stream.size());
    ASSERT_GE(g_dispatched.size(), 300u);
    for (size_t i = 0; i < g_dispatched.size(); ++i) ASSERT_EQ(g_dispatched[i][1], M_BYTE(i));
    M_BYTE off[] = {0x33, 0x00, 0x4F, 0x00};
    g_pGameSocket->InjectInputForTests(off, sizeof off);
    EXPECT_EQ(g_dispatched.size(), size_t(count + 1));
}

TEST_F(ConnectionTest, ConnectForgetsHeldMessages) {
    const Bytes hold = {0x33, 0x01, 0x1D, 0, 0, 0, 1};
    g_pGameSocket->InjectInputForTests(hold.data(), hold.size());
    ASSERT_TRUE(g_pGameSocket->IsHolding());
    connect();
    EXPECT_FALSE(g_pGameSocket->IsHolding());
    const Bytes release = {0x33, 0x00, 0x4F, 0x01};
    g_pGameSocket->InjectInputForTests(release.data(), release.size());
    EXPECT_EQ(g_dispatched, (std::vector<Bytes>{{0x4F, 0x01}}));
}

}  // namespace
