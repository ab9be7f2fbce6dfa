#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "Clock.h"
#include "net/ClientSock.h"
#include "net/ServerPing.h"
#include "support/TwTest.h"
#include "support/UdpResponder.h"
#include "support/doubles/RecordingConnection.h"

namespace {

using tw::test::Datagram;
using tw::test::UdpResponder;

constexpr M_DWORD kLoopback = 0x7F000001;    // 127.0.0.1
constexpr M_DWORD kLoopback2 = 0x7F000002;   // 127.0.0.2, the same responder
constexpr M_DWORD kUnsendable = 0xFFFFFFFF;  // broadcast without permission

class ServerPingTest : public tw::test::TwTest {
protected:
    // The boxes and the pointer the ping shows.
    tw::doubles::RecordingConnection upper;

    // Pings with an ephemeral local port, the responder's port and short waits.
    void UseResponder(const UdpResponder& responder, M_DWORD receiveTimeoutMs = 3000) {
        PingSettings s;
        s.localPort = 0;
        s.serverPort = responder.port();
        s.sendTimeoutMs = 30;
        s.receiveTimeoutMs = receiveTimeoutMs;
        SetPingSettingsForTests(s);
    }
};

// A clock that never moves: every answered round takes 0 ms.
M_DWORD FrozenClock() {
    return 1000;
}

// A clock that moves 5 s at every look.
std::atomic<M_DWORD> g_stepping{0};
M_DWORD SteppingClock() {
    return g_stepping += 5000;
}

std::vector<std::string> Repeat(const std::string& text, int n) {
    return std::vector<std::string>(n, text);
}

TEST_F(ServerPingTest, SendsTwentyRoundsAndSumsTheReplies) {
    UdpResponder responder;
    UseResponder(responder);
    SetTimeSourceForTests(FrozenClock);
    g_loginComplete = 0;
    M_DWORD addresses[] = {kLoopback, kLoopback2};
    M_WORD results[2] = {0, 0};

    PingServers(2, addresses, results);

    EXPECT_EQ(g_loginComplete, 0);  // forced only around the cursor calls
    // Answered in 0 ms still counts 1 ms per round.
    EXPECT_EQ(results[0], 20);
    EXPECT_EQ(results[1], 20);
    EXPECT_TRUE(upper.waitingGumpTexts.empty());
    EXPECT_EQ(upper.mouseCalls, (std::vector<std::string>{"BeginWait", "SetCursorType 17",
                                                          "EndWait", "SetCursorType 17"}));

    // Rounds in order, every server within a round; 40 bytes each.
    std::vector<Datagram> got = responder.received();
    ASSERT_EQ(got.size(), 40u);
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        Datagram expected(40, 0);
        expected[0] = static_cast<unsigned char>(responder.port() >> 8);
        expected[1] = static_cast<unsigned char>(responder.port());
        expected[2] = static_cast<unsigned char>(i % 2);
        expected[3] = static_cast<unsigned char>(i / 2);
        EXPECT_EQ(got[i], expected);
    }
}

TEST_F(ServerPingTest, BogusRepliesCountButFillNoRound) {
    // Each reply is judged by its bytes 2 and 3 and its length.
    UdpResponder responder([](const Datagram& d) -> std::vector<Datagram> {
        Datagram reply = d;
        int server = d[2], round = d[3];
        if (server == 0 && round == 7) reply.resize(3);   // too short
        if (server == 1 && round == 3) reply[3] = 25;     // round out of range
        if (server == 1 && round == 9) reply[2] = 0xFF;   // server -1
        if (server == 0 && round == 12) reply[3] = 0x80;  // round -128
        if (server == 1 && round == 15) reply[2] = 2;     // no such server
        return {reply};
    });
    UseResponder(responder);
    SetTimeSourceForTests(FrozenClock);
    M_DWORD addresses[] = {kLoopback, kLoopback2};
    M_WORD results[2] = {0, 0};

    PingServers(2, addresses, results);

    // Every reply counted, so the wait ended with the last one even though
    // five rounds stayed empty and count 200 ms.
    EXPECT_EQ(results[0], 18 * 1 + 2 * 200);
    EXPECT_EQ(results[1], 17 * 1 + 3 * 200);
    EXPECT_EQ(upper.waitingGumpTexts, Repeat("Bogus return ping", 5));
}

TEST_F(ServerPingTest, MissingRepliesCount200AndTheWaitEnds) {
    // Server 1 never answers; server 0 skips its first five rounds.
    UdpResponder responder([](const Datagram& d) -> std::vector<Datagram> {
        if (d[2] == 1 || d[3] < 5) return {};
        return {d};
    });
    UseResponder(responder, 300);
    M_DWORD addresses[] = {kLoopback, kLoopback2};
    M_WORD results[2] = {0, 0};

    auto start = std::chrono::steady_clock::now();
    PingServers(2, addresses, results);
    auto took = std::chrono::steady_clock::now() - start;

    EXPECT_GE(results[0], 5 * 200 + 15);
    EXPECT_LT(results[0], 4000);
    EXPECT_EQ(results[1], 4000);
    EXPECT_GE(took, std::chrono::milliseconds(250));  // waited for the missing ones
    EXPECT_LT(took, std::chrono::seconds(10));
}

TEST_F(ServerPingTest, UnsendableServerAbandonsTheRestOfEachRound) {
    // Server 1 cannot be sent to; server 2 follows it in every round and is
    // never reached.  A forged reply for a datagram never sent is bogus.
    UdpResponder responder([](const Datagram& d) -> std::vector<Datagram> {
        if (d[3] == 0) {
            Datagram forged = d;
            forged[2] = 2;
            return {d, forged};
        }
        return {d};
    });
    UseResponder(responder, 300);
    M_DWORD addresses[] = {kLoopback, kUnsendable, kLoopback2};
    M_WORD results[3] = {0, 0, 0};

    PingServers(3, addresses, results);

    // Replies are read only after all rounds were sent: server 0's times
    // include the failed sends that came after its own.
    EXPECT_GE(results[0], 20);
    EXPECT_EQ(results[1], 4000);
    EXPECT_EQ(results[2], 4000);
    EXPECT_EQ(responder.received().size(), 20u);
    std::vector<std::string> shown = upper.waitingGumpTexts;
    // The forged reply arrives while later rounds are still being sent.
    ASSERT_EQ(shown.size(), 21u);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Couldn't send for 4 seconds."), 20);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Bogus return ping"), 1);
}

TEST_F(ServerPingTest, SlowServersSaturateAt65535) {
    UdpResponder responder;
    UseResponder(responder, 0xFFFFFFFF);
    SetTimeSourceForTests(SteppingClock);
    M_DWORD addresses[] = {kLoopback};
    M_WORD results[1] = {0};

    PingServers(1, addresses, results);

    EXPECT_EQ(results[0], 65535);  // 20 rounds of at least 5 s each
}

TEST_F(ServerPingTest, EmptyListSendsNothingAndReturnsAtOnce) {
    UdpResponder responder;
    UseResponder(responder, 8000);
    M_WORD results[1] = {1234};

    auto start = std::chrono::steady_clock::now();
    PingServers(0, nullptr, results);

    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(results[0], 1234);
    EXPECT_TRUE(responder.received().empty());
}

TEST_F(ServerPingTest, TakenPortShowsBindFailed) {
    int blocker = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t len = sizeof addr;
    ASSERT_EQ(bind(blocker, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    getsockname(blocker, reinterpret_cast<sockaddr*>(&addr), &len);
    PingSettings s;
    s.localPort = ntohs(addr.sin_port);
    SetPingSettingsForTests(s);
    M_DWORD addresses[] = {kLoopback};
    M_WORD results[1] = {7};

    PingServers(1, addresses, results);
    close(blocker);

    EXPECT_EQ(upper.waitingGumpTexts, std::vector<std::string>{"Bind Failed"});
    EXPECT_EQ(results[0], 7);
    EXPECT_EQ(upper.mouseCalls.back(), "SetCursorType 17");
}

}  // namespace
