#include "support/LoopbackServer.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "net/Blowfish.h"
#include "net/ClientSock.h"
#include "net/Huffman.h"
#include "net/PacketTable.h"
#include "net/StreamCipher.h"

namespace tw::test {

Bytes HuffmanEncode(const Bytes& message) {
    Bytes out;
    M_DWORD acc = 0;
    int bits = 0;
    auto put = [&](const HuffmanCode& code) {
        for (int i = code.bits - 1; i >= 0; --i) {
            acc = acc << 1 | ((code.code >> i) & 1);
            if (++bits == 8) {
                out.push_back(static_cast<M_BYTE>(acc));
                acc = 0;
                bits = 0;
            }
        }
    };
    for (M_BYTE b : message) put(kHuffmanCodes[b]);
    put(kHuffmanCodes[kHuffmanEndOfPacket]);
    if (bits) out.push_back(static_cast<M_BYTE>(acc << (8 - bits)));
    return out;
}

bool PollUntil(const std::function<bool()>& condition, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        if (g_pGameSocket) g_pGameSocket->Poll();
        // Give the server thread a moment; the client's poll never waits.
        pollfd none{};
        poll(&none, 0, 1);
    }
}

std::vector<Bytes> PollMessages(LoopbackServer& server, size_t count) {
    std::vector<Bytes> messages;
    for (size_t i = 0; i < count; ++i) {
        Bytes m;
        if (!PollUntil([&] { return server.ReadMessage(&m, 0); })) break;
        messages.push_back(m);
    }
    return messages;
}

struct LoopbackServer::Connection {
    int fd = -1;
    bool closedByClient = false;
    Bytes raw;          // every byte received
    size_t cursor = 0;  // raw bytes already read by the script
    std::vector<Bytes> messages;

    bool loginStreamOn = true;
    bool seedRead = false;
    CLoginStream login;
    bool gameMode = false;
    CStreamCipher cipher;
    M_DWORD cipherCount = 0;
};

LoopbackServer::LoopbackServer() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(kAddress);
    at.sin_port = 0;
    bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at);
    listen(listener_, 8);
    socklen_t len = sizeof at;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &len);
    port_ = ntohs(at.sin_port);
    thread_ = std::thread([this] { Run(); });
}

LoopbackServer::~LoopbackServer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    thread_.join();
    for (auto& c : connections_)
        if (c->fd != -1) close(c->fd);
    close(listener_);
}

void LoopbackServer::Run() {
    M_BYTE buffer[65536];
    for (;;) {
        std::vector<pollfd> fds;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stop_) return;
            fds.push_back({listener_, POLLIN, 0});
            for (auto& c : connections_)
                if (!c->closedByClient) fds.push_back({c->fd, POLLIN, 0});
        }
        if (poll(fds.data(), fds.size(), 20) <= 0) continue;
        std::lock_guard<std::mutex> lock(mutex_);
        if (fds[0].revents & POLLIN) {
            int fd = accept(listener_, nullptr, nullptr);
            if (fd != -1) {
                auto c = std::make_unique<Connection>();
                c->fd = fd;
                c->cipher.Init(1, 1);
                connections_.push_back(std::move(c));
            }
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            for (auto& c : connections_) {
                if (c->fd != fds[i].fd || c->closedByClient) continue;
                ssize_t n = recv(c->fd, buffer, sizeof buffer, MSG_DONTWAIT);
                if (n > 0)
                    c->raw.insert(c->raw.end(), buffer, buffer + n);
                else if (n == 0 || (errno != EAGAIN && errno != EINTR))
                    c->closedByClient = true;
            }
        }
        changed_.notify_all();
    }
}

LoopbackServer::Connection* LoopbackServer::Newest() {
    return connections_.empty() ? nullptr : connections_.back().get();
}

int LoopbackServer::ConnectionCount() {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(connections_.size());
}

bool LoopbackServer::WaitForConnections(int count, int timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return static_cast<int>(connections_.size()) >= count; });
}

bool LoopbackServer::WaitForRaw(Connection* c, size_t n, int timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return c->raw.size() - c->cursor >= n; });
}

M_BYTE LoopbackServer::NextPlainByte(Connection* c) {
    M_BYTE in;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        in = c->raw[c->cursor++];
    }
    if (c->gameMode) {
        // The client re-keys after every full interval; do the same.
        if (c->cipherCount == kGameRekeyInterval) {
            c->cipher.Init(0, (c->cipher.keyIndex + 3) % 11);
            c->cipherCount = 0;
        }
        int position = c->cipher.positions >> 4;
        M_BYTE out;
        BlowfishCfb64(&in, &out, 1, c->cipher.Schedule(), c->cipher.block1, &position,
                      kBlowfishDecipher);
        c->cipher.positions = static_cast<M_BYTE>(position << 4 | (c->cipher.positions & 0x0F));
        ++c->cipherCount;
        return out;
    }
    if (c->loginStreamOn && c->seedRead) return c->login.Apply(in);
    return in;
}

bool LoopbackServer::ReadSeed(M_DWORD* seed, int timeoutMs) {
    Connection* c;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        c = Newest();
    }
    if (!c || !WaitForRaw(c, 4, timeoutMs)) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    M_DWORD s = 0;
    for (int i = 0; i < 4; ++i) s = s << 8 | c->raw[c->cursor++];
    *seed = s;
    c->seedRead = true;
    c->login.Derive(s);
    return true;
}

bool LoopbackServer::ReadMessage(Bytes* message, int timeoutMs) {
    Connection* c;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        c = Newest();
    }
    if (!c) return false;
    // Decipher lazily, byte by byte, so that a mode switch made by the script
    // applies from exactly the next unread byte.  The header is peeked
    // through a copy of the stream state until the whole message is there.
    size_t savedCursor;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        savedCursor = c->cursor;
    }
    const CLoginStream savedLogin = c->login;
    const CStreamCipher savedCipher = c->cipher;
    const M_DWORD savedCount = c->cipherCount;
    auto restore = [&] {
        std::lock_guard<std::mutex> lock(mutex_);
        c->cursor = savedCursor;
        c->login = savedLogin;
        c->cipher = savedCipher;
        c->cipherCount = savedCount;
    };
    if (!WaitForRaw(c, 1, timeoutMs)) return false;
    Bytes out{NextPlainByte(c)};
    unsigned id = out[0];
    size_t length;
    if (!IsKnownPacket(id)) {
        length = 1;  // let the test see the stray byte
    } else if (IsVariablePacket(id)) {
        if (!WaitForRaw(c, 2, timeoutMs)) {
            restore();
            return false;
        }
        out.push_back(NextPlainByte(c));
        out.push_back(NextPlainByte(c));
        length = static_cast<size_t>(out[1]) << 8 | out[2];
        if (length < 3) length = 3;
    } else {
        length = FixedPacketLength(id);
    }
    if (!WaitForRaw(c, length - out.size(), timeoutMs)) {
        restore();
        return false;
    }
    while (out.size() < length) out.push_back(NextPlainByte(c));
    std::lock_guard<std::mutex> lock(mutex_);
    c->messages.push_back(out);
    *message = out;
    return true;
}

std::vector<Bytes> LoopbackServer::MessagesRead() {
    std::lock_guard<std::mutex> lock(mutex_);
    Connection* c = Newest();
    return c ? c->messages : std::vector<Bytes>();
}

Bytes LoopbackServer::RawReceived() {
    std::lock_guard<std::mutex> lock(mutex_);
    Connection* c = Newest();
    return c ? c->raw : Bytes();
}

void LoopbackServer::SetLoginStream(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (Connection* c = Newest()) c->loginStreamOn = on;
}

void LoopbackServer::SetGameMode(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (Connection* c = Newest()) c->gameMode = on;
}

bool LoopbackServer::SendRaw(const Bytes& bytes) {
    int fd;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Connection* c = Newest();
        if (!c) return false;
        fd = c->fd;
    }
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool LoopbackServer::SendMessage(const Bytes& message) {
    bool game;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Connection* c = Newest();
        if (!c) return false;
        game = c->gameMode;
    }
    return SendRaw(game ? HuffmanEncode(message) : message);
}

void LoopbackServer::CloseConnection() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (Connection* c = Newest()) shutdown(c->fd, SHUT_RDWR);
}

bool LoopbackServer::WaitForClientClose(int timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    Connection* c = Newest();
    if (!c) return false;
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return c->closedByClient; });
}

}  // namespace tw::test
