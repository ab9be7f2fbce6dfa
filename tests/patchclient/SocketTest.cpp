// The patch program's socket wrapper over real loopback TCP, and its text
// buffers.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <memory>
#include <string>

#include "MySocket.h"
#include "TextBufs.h"
#include "support/TwTest.h"

namespace {

constexpr unsigned kLoopback = 0x7F000001;

// A listener built from the wrapper's own server calls, on a free port.
struct Listener {
    CMySocket socket;
    unsigned short port = 0;

    Listener() {
        EXPECT_TRUE(socket.SetAddressReuse(true));
        EXPECT_TRUE(socket.Bind(0));
        EXPECT_TRUE(socket.Listen());
        sockaddr_in at = {};
        socklen_t size = sizeof at;
        getsockname(socket.GetFileDescriptor(), reinterpret_cast<sockaddr*>(&at), &size);
        port = ntohs(at.sin_port);
    }
};

long long MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

TEST(PatchSocket, ReadsWaitAtMostTheTimeoutEveryTime) {
    Listener listener;
    CMySocket client;
    ASSERT_TRUE(client.Connect(kLoopback, listener.port));
    std::unique_ptr<CMySocket> peer(listener.socket.Accept());
    ASSERT_TRUE(peer);
    client.SetTimeout({0, 60 * 1000});

    ASSERT_EQ(peer->Write("abc", 3), 3);
    char buffer[16];
    // Three bytes arrive, then nothing: ReadBlock gives what it has.
    EXPECT_EQ(client.ReadBlock(buffer, 10), 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");

    // Each wait gets the whole time-out, not what an earlier wait left over.
    for (int i = 0; i < 2; ++i) {
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(client.Read(buffer, 10), 0);
        EXPECT_GE(MsSince(start), 50);
    }

    peer->Close();
    EXPECT_EQ(client.Read(buffer, 10), 0);  // end of stream
}

TEST(PatchSocket, WritesToAClosedPeerFailWithoutKillingTheProgram) {
    Listener listener;
    CMySocket client;
    ASSERT_TRUE(client.Connect(kLoopback, listener.port));
    delete listener.socket.Accept();
    client.SetTimeout({1, 0});

    // The first send after the peer's close may still succeed; the reset
    // makes a later one fail, and it must not raise SIGPIPE.
    std::string block(4096, 'x');
    int result = 0;
    for (int i = 0; i < 100 && result >= 0; ++i)
        result = client.Write(block.data(), static_cast<int>(block.size()));
    EXPECT_EQ(result, -1);

    client.Close();
    EXPECT_EQ(client.Read(block.data(), 1), -1);
    EXPECT_EQ(client.Write("x", 1), -1);
}

TEST(PatchSocket, FailedConnectKeepsTheDescriptorAndResocketAllowsANewOne) {
    unsigned short closedPort;
    {
        Listener unused;
        closedPort = unused.port;
    }
    CMySocket client;
    EXPECT_FALSE(client.Connect(kLoopback, closedPort));
    EXPECT_TRUE(client.IsValid());

    Listener listener;
    ASSERT_TRUE(client.Resocket());
    EXPECT_TRUE(client.Connect(kLoopback, listener.port));
    std::unique_ptr<CMySocket> peer(listener.socket.Accept());
    ASSERT_TRUE(peer);
    ASSERT_EQ(client.Write("hi", 2), 2);
    char buffer[2];
    EXPECT_EQ(peer->ReadBlock(buffer, 2), 2);
}

TEST(PatchTextBuffers, PrintAddressesAndNumbers) {
    EXPECT_STREQ(CIPBuf(0x7F000001), "127.0.0.1");
    EXPECT_STREQ(CIPBuf(0xC0A80AFEu), "192.168.10.254");
    EXPECT_STREQ(CNumBuf(-5), "-5");
    EXPECT_STREQ(CNumBuf(static_cast<unsigned short>(65535)), "65535");
    EXPECT_STREQ(CNumBuf(4294967295u), "4294967295");
}

}  // namespace
