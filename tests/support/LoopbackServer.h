// LoopbackServer: the server side of the game protocol on 127.0.0.1, for
// network tests that run the real connection code.
//
// It listens on a port the system picks and accepts connections on its own
// thread, which records every byte each connection sends.  The test script
// then reads the client's stream in order: the 4-byte seed, then messages,
// with the login-stream XOR or the game-stream cipher undone and each
// message framed by the packet table.  What the server sends goes out as it
// is in login mode and Huffman-encoded (one compressed packet per message)
// in game mode.  Every wait is bounded.
//
//   LoopbackServer server;
//   client->Connect(LoopbackServer::kAddress, server.port());
//   M_DWORD seed;
//   ASSERT_TRUE(server.ReadSeed(&seed));
//   std::vector<M_BYTE> message;
//   ASSERT_TRUE(PollUntil([&] { return server.ReadMessage(&message, 0); }));
//   server.SendMessage({0x55});
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "TWTypes.h"

namespace tw::test {

using Bytes = std::vector<M_BYTE>;

// One compressed packet of the server stream: the message's codes, the
// end-of-packet code, and zero bits up to the next byte.
Bytes HuffmanEncode(const Bytes& message);

// Polls the game connection (g_pGameSocket, read afresh each time) until the
// condition holds or the time runs out.
bool PollUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

class LoopbackServer;

// The next count messages the client sends to server, polling the game
// connection meanwhile (fewer when they do not come in time).
std::vector<Bytes> PollMessages(LoopbackServer& server, size_t count);

class LoopbackServer {
public:
    static constexpr M_DWORD kAddress = 0x7F000001;
    static constexpr int kTimeoutMs = 5000;

    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    M_WORD port() const { return port_; }

    // The script acts on the newest connection.
    int ConnectionCount();
    bool WaitForConnections(int count, int timeoutMs = kTimeoutMs);

    // The client's first 4 bytes, big-endian; starts the login stream unless
    // SetLoginStream(false) was called (an edit-server client sends none).
    bool ReadSeed(M_DWORD* seed, int timeoutMs = kTimeoutMs);
    // The client's next whole message, deciphered.  With timeoutMs 0 it
    // only looks at what has arrived (use it inside PollUntil).
    bool ReadMessage(Bytes* message, int timeoutMs = kTimeoutMs);
    // Every message read so far on the newest connection.
    std::vector<Bytes> MessagesRead();
    // The bytes received on the newest connection, as they came.
    Bytes RawReceived();

    void SetLoginStream(bool on);
    // Game mode from the next unread byte on: the client's bytes are
    // deciphered and what the server sends is compressed.
    void SetGameMode(bool on);

    // Sends bytes exactly as given.
    bool SendRaw(const Bytes& bytes);
    // Sends one message in the connection's mode.
    bool SendMessage(const Bytes& message);
    // Closes the newest connection from the server's side.
    void CloseConnection();
    // The client has closed the newest connection.
    bool WaitForClientClose(int timeoutMs = kTimeoutMs);

private:
    struct Connection;

    void Run();
    Connection* Newest();
    // Makes n more raw bytes of the newest connection readable, waiting up
    // to the deadline; false on time-out or close.
    bool WaitForRaw(Connection* c, size_t n, int timeoutMs);
    M_BYTE NextPlainByte(Connection* c);

    int listener_ = -1;
    M_WORD port_ = 0;
    bool stop_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<Connection>> connections_;
    std::thread thread_;
};

}  // namespace tw::test
