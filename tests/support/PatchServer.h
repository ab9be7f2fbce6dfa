// A loopback patch server for tests of the patch program.  It listens on
// 127.0.0.1 at a free port, accepts one connection at a time on its own
// thread and plays one scripted round per connection; every read and write
// waits at most a few seconds.  What the client sends is recorded as text
// events ("hello 21", "version a.dat 3", "request x.rtp 100", "end", ...);
// keep-alive messages are only counted.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tw::test {

class PatchServer;

// One accepted connection.
class PatchConn {
public:
    PatchConn(int fd, PatchServer& server) : fd_(fd), server_(server) {}

    bool ReadU32(std::uint32_t& value);
    bool ReadBytes(std::string& out, size_t n);
    // A u32 length and that many bytes (at most 1 MB).
    bool ReadString(std::string& out);
    bool SendU32(std::uint32_t value);
    bool SendString(const std::string& text);
    bool SendRaw(const std::string& bytes);
    // The bytes in pieces of 1 to 9 bytes in turn, each sent at once.
    bool SendInPieces(const std::string& bytes);
    // The next message id from the client; keep-alives are counted and skipped.
    bool NextMessage(std::uint32_t& id);
    // Waits until the client closes its end (or the time-out passes).
    void WaitForClose();
    void Record(const std::string& event);

private:
    int fd_;
    PatchServer& server_;
};

struct ListedFile {
    std::string name;
    std::uint32_t length = 0;
};

struct ServedFile {
    ServedFile(std::string content = "", size_t blockSize = 4096,
               std::optional<size_t> cutAt = std::nullopt)
        : content(std::move(content)), blockSize(blockSize), cutAt(cutAt) {}

    std::string content;
    size_t blockSize;
    std::optional<size_t> cutAt;  // close the connection once this many content bytes are out
    bool refuse = false;          // answer with an empty name
    bool hangUp = false;          // close the connection once the whole file is out
    // Send the reply in pieces of 1, 2, ... 9 bytes in turn, each at once
    // (no coalescing), so that the client's receives end anywhere in it.
    bool dribble = false;
    // A hostile server: announce this size instead of the content's, and
    // name the file so in the reply instead of the name asked for.
    std::optional<std::uint32_t> announced;
    std::optional<std::string> replyName;
};

struct PatchRound {
    std::uint32_t okay = 1;
    // Divert to this host-order address and port instead of serving.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> divert;
    std::uint32_t motdStatus = 1;
    std::string motd;
    std::optional<std::uint32_t> motdLength;  // announce this length instead of the text's
    // Per item name, the file list of its first, second, ... version message;
    // later ones and unknown items get an empty list.
    std::map<std::string, std::vector<std::vector<ListedFile>>> lists;
    std::map<std::string, ServedFile> files;
    // When set, plays the whole round instead of the script above.
    std::function<void(PatchConn&)> custom;
};

class PatchServer {
public:
    PatchServer();
    ~PatchServer();
    PatchServer(const PatchServer&) = delete;
    PatchServer& operator=(const PatchServer&) = delete;

    // Rounds are played in order, one per connection; further connections
    // are closed at once.
    void AddRound(PatchRound round);
    std::uint16_t port() const { return port_; }
    // The first keep-alive creates this file (the stand-in patch command can
    // wait for it).
    void TouchOnKeepalive(const std::string& path);

    // Stops once the current connection has ended; returns the events.
    std::vector<std::string> Finish();
    int Keepalives();

    // For PatchConn.
    void Record(const std::string& event);
    void CountKeepalive();

private:
    void Loop();
    void Play(PatchConn& conn, const PatchRound& round);
    bool Serve(PatchConn& conn, const PatchRound& round, const std::string& name,
               std::uint32_t offset);

    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    std::uint16_t port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<PatchRound> rounds_;
    size_t nextRound_ = 0;
    std::vector<std::string> events_;
    int keepalives_ = 0;
    std::string keepaliveMarker_;
    bool finished_ = false;
};

// The host-order address of 127.0.0.1.
constexpr std::uint32_t kLoopback = 0x7F000001;

}  // namespace tw::test
