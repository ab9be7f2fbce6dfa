// ScriptedServer: a login or game server on 127.0.0.1 that answers the
// client from a script, on its own thread, so that a test can drive the
// client (in the same process or as a twclient subprocess) and look at what
// reached the server afterwards.
//
// It is built on LoopbackServer: for every connection it reads the 4-byte
// seed, then the client's messages, deciphered for the server's mode (a
// login server undoes the login stream; a game server deciphers the game
// stream and compresses what it sends).  Every message is recorded.  The
// script is a list of rules, one per message id: the messages to send back,
// made by a function of the message received, and whether the server then
// closes the connection.  Every wait is bounded.
//
//   ScriptedServer game(ScriptedServer::kGame);
//   game.On(0x91, {Msg(0xA9).u8(1)...});
//   ScriptedServer login(ScriptedServer::kLogin);
//   login.On(0x80, {shardList});
//   login.On(0xA0, [&](const Bytes&) { return Bytes...0x8C to game.port() });
//   WriteLoginCfg(".", login.port());
//   ... drive the client ...
//   Bytes play;
//   ASSERT_TRUE(game.WaitFor(0x5D, &play));
#pragma once

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "TWTypes.h"
#include "support/LoopbackServer.h"

namespace tw::test {

class ScriptedServer {
public:
    enum Mode { kLogin, kGame };
    // The messages to send back for one message received.
    using Answer = std::function<std::vector<Bytes>(const Bytes& received)>;

    static constexpr int kTimeoutMs = LoopbackServer::kTimeoutMs;

    explicit ScriptedServer(Mode mode);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    M_WORD port() const { return server_.port(); }
    static constexpr M_DWORD address() { return LoopbackServer::kAddress; }

    // Rules, replacing an earlier rule for the same id; they may change while
    // the server runs.  A message without a rule is only recorded.
    void On(M_BYTE id, std::vector<Bytes> answer);
    void On(M_BYTE id, Answer answer);
    // After the answer to id (if any), the server closes the connection
    // (with close false, no longer).
    void CloseAfter(M_BYTE id, bool close = true);
    // Messages sent as soon as a connection's seed has arrived.
    void OnConnect(std::vector<Bytes> messages);

    // Sends a message on the newest connection now, in the server's mode.
    bool Send(const Bytes& message);
    // Closes the newest connection from the server's side.
    void Close();

    // The first message with that id received since the start (the n-th
    // with nth), waiting for it up to the time-out; the client must be
    // polled meanwhile by whoever runs it (a subprocess polls itself; an
    // in-process test uses WaitForPolling).
    bool WaitFor(M_BYTE id, Bytes* message = nullptr, int timeoutMs = kTimeoutMs, size_t nth = 0);
    // The same while polling the game connection of this process.
    bool WaitForPolling(M_BYTE id, Bytes* message = nullptr, int timeoutMs = kTimeoutMs,
                        size_t nth = 0);
    // Every message received, in order, over all connections.
    std::vector<Bytes> Received();
    // The seeds of the connections, in order.
    std::vector<M_DWORD> Seeds();
    int Connections();

private:
    struct Rule {
        Answer answer;
        bool close = false;
    };

    void Run();
    bool Find(M_BYTE id, size_t nth, Bytes* message);

    Mode mode_;
    LoopbackServer server_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<M_BYTE, Rule> rules_;
    std::vector<Bytes> onConnect_;
    std::vector<Bytes> received_;
    std::vector<M_DWORD> seeds_;
    int connections_ = 0;
    bool stop_ = false;
    std::thread thread_;
};

// Writes "login.cfg" into dir naming the login server at 127.0.0.1 and port,
// the one line the client reads from it.
void WriteLoginCfg(const std::string& dir, M_WORD port);

}  // namespace tw::test
