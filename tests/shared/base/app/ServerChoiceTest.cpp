#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "Clock.h"
#include "Platform.h"
#include "net/ClientSock.h"

namespace {

// A loopback port that listens (open) or that nothing listens on (closed).
class Port {
public:
    explicit Port(bool open) {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        if (open) {
            listen(fd_, 4);
            fcntl(fd_, F_SETFL, O_NONBLOCK);
        } else {
            close(fd_);
            fd_ = -1;
        }
    }
    ~Port() {
        if (fd_ >= 0) close(fd_);
    }
    M_WORD port() const { return port_; }
    std::string entry() const { return "127.0.0.1," + std::to_string(port_); }
    // A connection arrived (it waits in the backlog until accepted).
    bool connected() {
        if (fd_ < 0) return false;
        int c = accept(fd_, nullptr, nullptr);
        if (c < 0) return false;
        close(c);
        return true;
    }

private:
    int fd_ = -1;
    M_WORD port_ = 0;
};

M_DWORD g_now = 0;
M_DWORD FakeNow() {
    return g_now;
}

class ServerChoiceTest : public tw::test::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        g_now = 123456;
        SetTimeSourceForTests(FakeNow);
        g_quitFlag = 0;
        g_pGameSocket = new CClientSock;
    }
    void TearDown() override {
        delete g_pGameSocket;
        g_pGameSocket = nullptr;
        g_quitFlag = 0;
        AppTest::TearDown();
    }

    // The index ConnectToServer starts at: it seeds rand with the clock.
    static int FirstIndex(int count) {
        srand(g_now);
        return rand() % count;
    }
};

TEST_F(ServerChoiceTest, TriesTheLoginServersInTurnFromARandomOne) {
    // Server 0 is closed, 1 and 2 listen: the first open one in turn from
    // the starting index takes the connection.
    std::vector<Port> ports;
    ports.emplace_back(false);
    ports.emplace_back(true);
    ports.emplace_back(true);
    Port backup(true);
    for (Port& p : ports) loginServers.Add(p.entry().c_str());
    backupLoginServers.Add(backup.entry().c_str());

    const int first = FirstIndex(3);
    int expected = first;
    while (expected == 0) expected = (expected + 1) % 3;
    ASSERT_EQ(CApp::ConnectToServer(), 1);
    EXPECT_TRUE(CApp::IsConnected());
    EXPECT_EQ(CApp::GetChosenPort(), ports[expected].port());
    EXPECT_EQ(CApp::GetChosenAddress(), 0x7F000001u);
    for (int i = 1; i < 3; ++i) EXPECT_EQ(ports[i].connected(), i == expected) << i;
    EXPECT_FALSE(backup.connected());
    // Already connected: no further attempt.
    EXPECT_EQ(CApp::ConnectToServer(), 1);
}

TEST_F(ServerChoiceTest, FallsBackToTheBackupListAfterEveryLoginServerFailed) {
    Port closed1(false), closed2(false), closed3(false);
    Port backupClosed(false), backupOpen(true);
    for (Port* p : {&closed1, &closed2, &closed3}) loginServers.Add(p->entry().c_str());
    backupLoginServers.Add(backupClosed.entry().c_str());
    backupLoginServers.Add(backupOpen.entry().c_str());
    ASSERT_EQ(CApp::ConnectToServer(), 1);
    EXPECT_EQ(CApp::GetChosenPort(), backupOpen.port());
    EXPECT_TRUE(backupOpen.connected());
    EXPECT_EQ(g_quitFlag.load(), 0);
}

TEST_F(ServerChoiceTest, EveryServerFailingClearsTheConnectedFlag) {
    Port closed(false);
    loginServers.Add(closed.entry().c_str());
    EXPECT_EQ(CApp::ConnectToServer(), 0);
    EXPECT_FALSE(CApp::IsConnected());
}

TEST_F(ServerChoiceTest, AnEmptyListConnectsNowhere) {
    EXPECT_EQ(CApp::ConnectToServer(), 0);
    EXPECT_EQ(CApp::GetChosenAddress(), 0u);
    EXPECT_EQ(g_pGameSocket->Descriptor(), -1);
    EXPECT_EQ(g_quitFlag.load(), 0);
}

TEST_F(ServerChoiceTest, ChooseServer) {
    CApp::inWorld = TRUE;
    g_pGameSocket->SetGameMode(TRUE);
    g_pGameSocket->SetLoginStreamOff(TRUE);
    // No index chosen: the run ends.
    ChooseServer(0);
    EXPECT_EQ(g_quitFlag.load(), 1);
    EXPECT_FALSE(CApp::inWorld);
    EXPECT_FALSE(g_pGameSocket->IsGameMode());
    EXPECT_FALSE(g_pGameSocket->IsLoginStreamOff());
    g_quitFlag = 0;

    // A host name is resolved when chosen; the numeric form is taken as is.
    loginServers.Add("localhost,2593");
    loginServers.Add("10.1.2.3,7775");
    loginServers.current = 0;
    ChooseServer(0);
    EXPECT_EQ(CApp::GetChosenAddress() >> 24, 127u);
    EXPECT_EQ(CApp::GetChosenPort(), 2593);
    loginServers.current = 1;
    ChooseServer(0);
    EXPECT_EQ(CApp::GetChosenAddress(), 0x0A010203u);

    // An unresolvable host chooses nothing.
    backupLoginServers.Add(",2593");
    backupLoginServers.current = 0;
    ChooseServer(1);
    EXPECT_EQ(CApp::GetChosenAddress(), 0u);

    // The edit server wins over both lists.
    SetConfigValue(CFG_EditServer, "192.168.1.1,5000", FALSE);
    ChooseServer(0);
    EXPECT_EQ(CApp::GetChosenAddress(), 0xC0A80101u);
    EXPECT_EQ(CApp::GetChosenPort(), 5000);
    EXPECT_EQ(g_quitFlag.load(), 0);
}

}  // namespace
