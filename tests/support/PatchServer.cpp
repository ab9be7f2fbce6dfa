#include "support/PatchServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace tw::test {

namespace {

// No step of a test session takes anywhere near this long; a client that
// stalls makes the round end instead of hanging the test.
constexpr int kTimeoutMs = 10000;

bool WaitFor(int fd, short events) {
    pollfd p = {fd, events, 0};
    int rc;
    do {
        rc = poll(&p, 1, kTimeoutMs);
    } while (rc < 0 && errno == EINTR);
    return rc > 0;
}

}  // namespace

bool PatchConn::ReadBytes(std::string& out, size_t n) {
    out.assign(n, '\0');
    size_t got = 0;
    while (got < n) {
        if (!WaitFor(fd_, POLLIN)) return false;
        ssize_t rc = recv(fd_, out.data() + got, n - got, 0);
        if (rc < 0 && errno == EINTR) continue;
        if (rc <= 0) return false;
        got += static_cast<size_t>(rc);
    }
    return true;
}

bool PatchConn::ReadU32(std::uint32_t& value) {
    std::string bytes;
    if (!ReadBytes(bytes, 4)) return false;
    std::uint32_t wire;
    memcpy(&wire, bytes.data(), 4);
    value = ntohl(wire);
    return true;
}

bool PatchConn::ReadString(std::string& out) {
    std::uint32_t length;
    if (!ReadU32(length) || length > (1u << 20)) return false;
    return ReadBytes(out, length);
}

bool PatchConn::SendRaw(const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        if (!WaitFor(fd_, POLLOUT)) return false;
        ssize_t rc = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (rc < 0 && errno == EINTR) continue;
        if (rc <= 0) return false;
        sent += static_cast<size_t>(rc);
    }
    return true;
}

bool PatchConn::SendInPieces(const std::string& bytes) {
    int on = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    for (size_t at = 0, piece = 1; at < bytes.size(); at += piece, piece = piece % 9 + 1)
        if (!SendRaw(bytes.substr(at, piece))) return false;
    return true;
}

bool PatchConn::SendU32(std::uint32_t value) {
    std::uint32_t wire = htonl(value);
    return SendRaw(std::string(reinterpret_cast<const char*>(&wire), 4));
}

bool PatchConn::SendString(const std::string& text) {
    return SendU32(static_cast<std::uint32_t>(text.size())) && SendRaw(text);
}

bool PatchConn::NextMessage(std::uint32_t& id) {
    for (;;) {
        if (!ReadU32(id)) return false;
        if (id != 3) return true;
        server_.CountKeepalive();
    }
}

void PatchConn::WaitForClose() {
    std::string ignored;
    while (ReadBytes(ignored, 1)) {
    }
}

void PatchConn::Record(const std::string& event) {
    server_.Record(event);
}

PatchServer::PatchServer() {
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(kLoopback);
    socklen_t size = sizeof at;
    if (listenFd_ < 0 || bind(listenFd_, reinterpret_cast<sockaddr*>(&at), size) != 0 ||
        listen(listenFd_, 16) != 0 ||
        getsockname(listenFd_, reinterpret_cast<sockaddr*>(&at), &size) != 0 ||
        pipe2(wakeFds_, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "the loopback patch server could not listen";
        return;
    }
    port_ = ntohs(at.sin_port);
    thread_ = std::thread([this] { Loop(); });
}

PatchServer::~PatchServer() {
    Finish();
    if (listenFd_ >= 0) close(listenFd_);
    for (int fd : wakeFds_)
        if (fd >= 0) close(fd);
}

void PatchServer::AddRound(PatchRound round) {
    std::lock_guard<std::mutex> lock(mutex_);
    rounds_.push_back(std::move(round));
}

void PatchServer::TouchOnKeepalive(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    keepaliveMarker_ = path;
}

std::vector<std::string> PatchServer::Finish() {
    if (thread_.joinable()) {
        char wake = 1;
        (void)!write(wakeFds_[1], &wake, 1);
        thread_.join();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

int PatchServer::Keepalives() {
    std::lock_guard<std::mutex> lock(mutex_);
    return keepalives_;
}

void PatchServer::Record(const std::string& event) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(event);
}

void PatchServer::CountKeepalive() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (keepalives_++ == 0 && !keepaliveMarker_.empty()) std::ofstream(keepaliveMarker_) << "\n";
}

void PatchServer::Loop() {
    for (;;) {
        pollfd p[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
        if (poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents) return;
        int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        PatchRound round;
        bool scripted = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (nextRound_ < rounds_.size()) {
                round = rounds_[nextRound_++];
                scripted = true;
            }
        }
        PatchConn conn(fd, *this);
        conn.Record("connect");
        if (scripted) {
            if (round.custom)
                round.custom(conn);
            else
                Play(conn, round);
        }
        close(fd);
    }
}

void PatchServer::Play(PatchConn& conn, const PatchRound& round) {
    std::uint32_t hello;
    if (!conn.ReadU32(hello)) {
        conn.Record("closed");
        return;
    }
    conn.Record("hello " + std::to_string(hello));
    conn.SendU32(round.okay);
    if (round.okay != 1) return conn.WaitForClose();
    if (round.divert) {
        conn.SendU32(0);
        conn.SendU32(round.divert->first);
        conn.SendU32(round.divert->second);
        return conn.WaitForClose();
    }
    conn.SendU32(1);
    conn.SendU32(round.motdStatus);
    if (round.motdStatus == 2 || round.motdStatus == 3) {
        conn.SendU32(round.motdLength.value_or(static_cast<std::uint32_t>(round.motd.size())));
        conn.SendRaw(round.motd);
        // A message that does not match its announced length ends the round.
        if (round.motdLength && *round.motdLength != round.motd.size()) return;
    }
    if (round.motdStatus == 0 || round.motdStatus > 3) return conn.WaitForClose();

    std::map<std::string, size_t> asked;
    for (;;) {
        std::uint32_t id;
        if (!conn.NextMessage(id)) {
            conn.Record("closed");
            return;
        }
        if (id == 0) {
            conn.Record("end");
            return conn.WaitForClose();
        }
        std::string name;
        std::uint32_t value;
        if (id != 1 && id != 2) {
            conn.Record("message " + std::to_string(id));
            return;
        }
        if (!conn.ReadString(name) || !conn.ReadU32(value)) {
            conn.Record("closed");
            return;
        }
        if (id == 1) {
            conn.Record("version " + name + " " + std::to_string(value));
            size_t pass = asked[name]++;
            auto it = round.lists.find(name);
            if (it != round.lists.end() && pass < it->second.size()) {
                for (const ListedFile& file : it->second[pass]) {
                    conn.SendString(file.name);
                    conn.SendU32(file.length);
                }
            }
            conn.SendU32(0);
        } else {
            conn.Record("request " + name + " " + std::to_string(value));
            if (!Serve(conn, round, name, value)) return;
        }
    }
}

bool PatchServer::Serve(PatchConn& conn, const PatchRound& round, const std::string& name,
                        std::uint32_t offset) {
    auto it = round.files.find(name);
    if (it == round.files.end() || it->second.refuse) return conn.SendU32(0);
    const ServedFile& file = it->second;
    const std::string& replyName = file.replyName ? *file.replyName : name;
    const auto size = file.announced.value_or(static_cast<std::uint32_t>(file.content.size()));
    if (file.dribble) {
        std::string reply;
        auto u32 = [&reply](std::uint32_t value) {
            std::uint32_t wire = htonl(value);
            reply.append(reinterpret_cast<const char*>(&wire), 4);
        };
        u32(static_cast<std::uint32_t>(replyName.size()));
        reply += replyName;
        u32(size);
        for (size_t pos = offset; pos < file.content.size(); pos += file.blockSize) {
            const size_t n = std::min(file.blockSize, file.content.size() - pos);
            u32(static_cast<std::uint32_t>(n));
            reply += file.content.substr(pos, n);
        }
        u32(0);
        return conn.SendInPieces(reply);
    }
    conn.SendString(replyName);
    conn.SendU32(size);
    size_t pos = offset;
    while (pos < file.content.size()) {
        size_t n = std::min(file.blockSize, file.content.size() - pos);
        if (file.cutAt && pos + n > *file.cutAt) {
            // A block cut short by a dropped connection.
            conn.SendU32(static_cast<std::uint32_t>(n));
            conn.SendRaw(file.content.substr(pos, *file.cutAt > pos ? *file.cutAt - pos : 0));
            conn.Record("cut " + name);
            return false;
        }
        if (!conn.SendU32(static_cast<std::uint32_t>(n)) ||
            !conn.SendRaw(file.content.substr(pos, n))) {
            conn.Record("hung up on " + name);
            return false;
        }
        pos += n;
    }
    if (!conn.SendU32(0)) return false;
    if (file.hangUp) {
        conn.Record("hang up");
        return false;
    }
    return true;
}

}  // namespace tw::test
