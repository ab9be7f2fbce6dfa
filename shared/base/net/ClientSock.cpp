#include "net/ClientSock.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "ProcessFlags.h"
#include "TWReport.h"
#include "config/Config.h"
#include "net/PacketManager.h"

CClientSock* g_pGameSocket = nullptr;
M_DWORD g_connectSeed = 0;
BOOL g_loginComplete = FALSE;

BOOL GameConnectionOpen(const char* who) {
    if (g_pGameSocket && g_pGameSocket->Descriptor() != -1) return TRUE;
    if (who) TWReport::warning("%s: the connection is not open; nothing is sent.\n", who);
    return FALSE;
}

BOOL WriteToOpenGame(PDSTRUCT* packet, const char* who) {
    return GameConnectionOpen(who) && g_pGameSocket->Write(packet);
}

// ---- CSocket ----

CSocket::CSocket() {
    TWReport::print("CSocket::CSocket() begin.\n");
}

CSocket::~CSocket() {
    Close();
}

void CSocket::Close() {
    if (socket_ != -1) {
        close(socket_);
        socket_ = -1;
    }
}

BOOL CSocket::SetBlocking() {
    int flags = fcntl(socket_, F_GETFL, 0);
    return flags != -1 && fcntl(socket_, F_SETFL, flags & ~O_NONBLOCK) != -1;
}

BOOL CSocket::SetNonBlocking() {
    int flags = fcntl(socket_, F_GETFL, 0);
    return flags != -1 && fcntl(socket_, F_SETFL, flags | O_NONBLOCK) != -1;
}

// ---- GroupedPackets ----

GroupedPackets::GroupedPackets() {
    TWReport::print("GroupedPackets::GroupedPackets(): begin.\n");
}

GroupedPackets::~GroupedPackets() {
    delete[] entries_;
}

void GroupedPackets::Add(size_t offset, size_t length) {
    if (count_ == capacity_) {
        Entry* grown = new Entry[capacity_ + 16];
        if (count_) memcpy(grown, entries_, sizeof(Entry) * count_);
        delete[] entries_;
        entries_ = grown;
        capacity_ += 16;
    }
    entries_[count_++] = {offset, length};
}

// ---- CClientSock ----

// Keeps a connection alive while its own Poll or Flush runs; a connection
// replaced meanwhile is deleted when the outermost of them ends.
class CClientSock::BusyScope {
public:
    explicit BusyScope(CClientSock* s) : s_(s) { ++s_->busy_; }
    ~BusyScope() {
        if (--s_->busy_ == 0 && s_->retired_) delete s_;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    CClientSock* s_;
};

CClientSock::CClientSock() {
    TWReport::print("CClientSock::CClientSock(): begin.\n");
    input_ = new M_BYTE[kBufferSize];
    output_ = new M_BYTE[kBufferSize];
    send_ = new M_BYTE[kBufferSize];
    decoded_ = new M_BYTE[kBufferSize];
    char name[256];
    if (gethostname(name, sizeof name) == 0) {
        name[sizeof name - 1] = 0;
        hostent* host = gethostbyname(name);
        if (host && host->h_addrtype == AF_INET && host->h_addr_list[0]) {
            in_addr a;
            memcpy(&a, host->h_addr_list[0], sizeof a);
            localAddress_ = ntohl(a.s_addr);
        }
    }
    cipher_ = new CStreamCipher;
    cipher_->Init(1, 1);
}

CClientSock::~CClientSock() {
    delete cipher_;
    Close();
    delete[] input_;
    delete[] output_;
    delete[] send_;
    delete[] decoded_;
}

BOOL CClientSock::Connect(M_DWORD address, M_WORD port) {
    ++generation_;
    holding_ = FALSE;
    heldBytes_ = 0;
    held_.Clear();
    inputLength_ = outputLength_ = enciphered_ = decodedLength_ = frameStart_ = 0;
    decoder_.Reset();
    // A connection starts its game stream afresh, as the server does.
    cipher_->Init(1, 1);
    cipherByteCount_ = 0;
    Close();

    socket_ = socket(AF_INET, SOCK_STREAM, 0);
    if (socket_ == -1) return FALSE;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    peerAddress_ = 0;
    peerPort_ = 0;
    if (connect(socket_, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        Close();
        return FALSE;
    }
    peerAddress_ = address;
    peerPort_ = port;

    if (EditServerAddress == 0) {
        loginStream_ = TRUE;
        M_DWORD seed = g_connectSeed ? g_connectSeed : localAddress_;
        loginKeys_ = CLoginStream();
        loginKeys_.Derive(seed);
        SetBlocking();
        M_BYTE bytes[4] = {static_cast<M_BYTE>(seed >> 24), static_cast<M_BYTE>(seed >> 16),
                           static_cast<M_BYTE>(seed >> 8), static_cast<M_BYTE>(seed)};
        size_t sent = 0;
        while (sent < sizeof bytes) {
            ssize_t n = send(socket_, bytes + sent, sizeof bytes - sent, MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                TWReport::warning("CClientSock::Connect: the seed could not be sent.\n");
                Close();
                return FALSE;
            }
            sent += static_cast<size_t>(n);
        }
    } else {
        loginStream_ = FALSE;
    }
    SetNonBlocking();
    return TRUE;
}

void CClientSock::SetGameMode(BOOL on) {
    if (on && !gameMode_) {
        decoder_.Reset();
        decodedLength_ = 0;
    }
    gameMode_ = on;
}

void CClientSock::Drop() {
    Close();
    ++generation_;
    inputLength_ = decodedLength_ = frameStart_ = 0;
    holding_ = FALSE;
    heldBytes_ = 0;
    held_.Clear();
}

void CClientSock::Lost(const char* reason) {
    TWReport::warning("CClientSock: connection lost: %s\n", reason);
    Drop();
    HandleConnectionLost(this, reason);
}

void CClientSock::ProtocolError(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    TWReport::error("CClientSock::Handle_Input: protocol error: %s.\n", text);
    Lost("protocol error");
}

void CClientSock::Poll() {
    BusyScope busy(this);
    if (socket_ == -1) {
        if (!g_quitFlag) HandleConnectionLost(this, "dunno, select with invalid socket");
        return;
    }
    pollfd p{};
    p.fd = socket_;
    p.events = POLLIN | POLLPRI | (outputLength_ > 0 ? POLLOUT : 0);
    int ready;
    do ready = poll(&p, 1, 0);
    while (ready < 0 && errno == EINTR);
    if (ready <= 0) return;

    if (p.revents & (POLLPRI | POLLERR | POLLNVAL)) {
        Lost("exception state on socket");
        return;
    }
    if (p.revents & (POLLIN | POLLHUP)) {
        while (inputLength_ < kBufferSize) {
            size_t room = kBufferSize - inputLength_;
            ssize_t n = recv(socket_, input_ + inputLength_, room, 0);
            if (n > 0) {
                inputLength_ += static_cast<size_t>(n);
                if (static_cast<size_t>(n) < room) break;
                continue;
            }
            if (n == 0) {
                // With room left, no bytes means the peer has closed.
                Lost("connection closed by the server");
                return;
            }
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) break;
            Lost("Exiting due to closed connection.");
            return;
        }
    }
    if (p.revents & POLLOUT) {
        unsigned generation = generation_;
        Flush();
        if (retired_ || generation != generation_) return;
    }
    if (inputLength_ > 0) Handle_Input();
}

void CClientSock::InjectInputForTests(const M_BYTE* data, size_t n) {
    BusyScope busy(this);
    while (n > 0 && !retired_) {
        size_t room = kBufferSize - inputLength_;
        size_t take = n < room ? n : room;
        memcpy(input_ + inputLength_, data, take);
        inputLength_ += take;
        data += take;
        n -= take;
        size_t before = inputLength_;
        Handle_Input();
        if (take == 0 && inputLength_ == before) break;  // full and stuck: drop the rest
    }
}

BOOL CClientSock::Write(PDSTRUCT* packet) {
    size_t n = PacketManager::SealPacket(packet);
    if (n == 0) {
        TWReport::error("CClientSock::Write: message 0x%02X cannot be sent; dropped.\n",
                        packet->id());
        return FALSE;
    }
    if (outputLength_ + n > kBufferSize) {
        // More output than the buffer holds means the peer has stopped
        // reading: drop the connection rather than the program.
        TWReport::error(
            "CClientSock::Write: %zu more bytes would overflow the output buffer; dropping the "
            "connection.\n",
            n);
        Drop();
        outputLength_ = enciphered_ = 0;
        return FALSE;
    }
    M_BYTE* to = output_ + outputLength_;
    if (loginStream_ && !loginStreamOff_) {
        for (size_t i = 0; i < n; ++i) to[i] = loginKeys_.Apply(packet->data[i]);
    } else {
        memcpy(to, packet->data, n);
    }
    outputLength_ += n;
    return TRUE;
}

BOOL CClientSock::Flush() {
    BusyScope busy(this);
    if (socket_ == -1) {
        if (!g_quitFlag) HandleConnectionLost(this, "dunno, select with invalid socket");
        return FALSE;
    }
    if (outputLength_ == 0) return FALSE;
    if (gameMode_ && enciphered_ < outputLength_) {
        GameStreamEncipher(cipher_, &cipherByteCount_, output_ + enciphered_, send_ + enciphered_,
                           outputLength_ - enciphered_);
        enciphered_ = outputLength_;
    }
    // Bytes enciphered before a partial send go out as they are, whatever
    // the mode now.
    const M_BYTE* data = enciphered_ > 0 ? send_ : output_;
    size_t count = enciphered_ > 0 ? enciphered_ : outputLength_;
    ssize_t n;
    do n = send(socket_, data, count, MSG_NOSIGNAL);
    while (n < 0 && errno == EINTR);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK) return TRUE;
        Lost("socket error in send");
        return FALSE;
    }
    size_t sent = static_cast<size_t>(n);
    if (enciphered_ > 0) {
        memmove(send_, send_ + sent, enciphered_ - sent);
        enciphered_ -= sent;
    }
    memmove(output_, output_ + sent, outputLength_ - sent);
    outputLength_ -= sent;
    return outputLength_ > 0;
}

void CClientSock::FlushAll() {
    BusyScope busy(this);
    // Bounded: a peer that stops reading must not hang the client.
    int idleWaits = 0;
    while (socket_ != -1 && !retired_) {
        size_t before = outputLength_;
        if (!Flush()) return;
        if (outputLength_ < before) {
            idleWaits = 0;
            continue;
        }
        if (++idleWaits > 10) {
            TWReport::warning("CClientSock::FlushAll: the server takes no more bytes; %zu left.\n",
                              outputLength_);
            return;
        }
        pollfd p{};
        p.fd = socket_;
        p.events = POLLOUT;
        poll(&p, 1, 500);
    }
}

// ---- framing ----

bool CClientSock::Interrupted() const {
    return retired_ || generation_ != frameGeneration_;
}

void CClientSock::Handle_Input() {
    frameGeneration_ = generation_;
    for (;;) {
        size_t inputBefore = inputLength_, decodedBefore = decodedLength_;
        if (gameMode_) {
            size_t used =
                decoder_.Decode(input_, inputLength_, decoded_, &decodedLength_, kBufferSize);
            memmove(input_, input_ + used, inputLength_ - used);
            inputLength_ -= used;
        }
        BOOL mode = gameMode_;
        if (!FramePackets()) return;
        if (gameMode_ != mode) continue;  // the rest of the input belongs to the new mode
        if (!gameMode_ || inputLength_ == 0) return;
        // Decoding stopped at a full buffer; go on while framing made room.
        if (inputLength_ == inputBefore && decodedLength_ == decodedBefore) return;
    }
}

bool CClientSock::FramePackets() {
    const BOOL mode = gameMode_;
    frameBuf_ = mode ? decoded_ : input_;
    frameLen_ = mode ? &decodedLength_ : &inputLength_;
    for (;;) {
        if (Interrupted()) return false;
        if (gameMode_ != mode) {
            // Messages held under the old mode go to their handlers first.
            if (heldBytes_ > 0 || holding_) ReleaseHeld();
            if (Interrupted()) return false;
            break;
        }
        // The held messages fill the buffer: let them go.
        if (heldBytes_ + 2 > kBufferSize) {
            ReleaseHeld();
            continue;
        }
        const size_t at = frameStart_ + heldBytes_;
        if (*frameLen_ < at + 2) break;
        const size_t avail = *frameLen_ - at;
        ByteReader header(frameBuf_ + at, avail);
        unsigned id = header.u8();
        if (!IsKnownPacket(id)) {
            ProtocolError("unknown message id 0x%02X", id);
            return false;
        }
        size_t length;
        if (IsVariablePacket(id)) {
            if (!header.has(2)) break;
            length = header.u16be();
            if (length < 3) {
                ProtocolError("message 0x%02X gives length %zu, shorter than its header", id,
                              length);
                return false;
            }
        } else {
            length = FixedPacketLength(id);
        }
        if (heldBytes_ + length > kBufferSize) {
            ReleaseHeld();
            continue;
        }
        if (avail < length) break;
        DispatchFramed(length);
    }
    // Move what is left down once, not after every message.
    if (frameStart_ > 0) {
        memmove(frameBuf_, frameBuf_ + frameStart_, *frameLen_ - frameStart_);
        *frameLen_ -= frameStart_;
        frameStart_ = 0;
    }
    return true;
}

void CClientSock::DispatchAt(size_t offset, size_t length) {
    PacketManager::Dispatch(PacketIn(frameBuf_ + offset, length));
}

void CClientSock::RemoveFromFraming(size_t offset, size_t length) {
    memmove(frameBuf_ + offset, frameBuf_ + offset + length, *frameLen_ - offset - length);
    *frameLen_ -= length;
}

void CClientSock::DispatchFramed(size_t length) {
    const size_t at = frameStart_ + heldBytes_;
    const M_BYTE id = frameBuf_[at];
    if (!holding_) {
        if (id == 0x33) {
            if (frameBuf_[at + 1] != 0) holding_ = TRUE;
        } else {
            DispatchAt(at, length);
            if (Interrupted()) return;
        }
        frameStart_ += length;
        return;
    }
    if (id != 0x33) {
        held_.Add(heldBytes_, length);
        heldBytes_ += length;
    } else if (frameBuf_[at + 1] != 0) {
        RemoveFromFraming(at, length);
    } else {
        heldBytes_ += length;
        ReleaseHeld();
    }
}

void CClientSock::ReleaseHeld() {
    holding_ = FALSE;
    for (int i = 0; i < held_.Count(); ++i) {
        DispatchAt(frameStart_ + held_.Offset(i), held_.Length(i));
        if (Interrupted()) return;
    }
    held_.Clear();
    frameStart_ += heldBytes_;
    heldBytes_ = 0;
}

// ---- the current connection ----

void ReplaceGameSocket(CClientSock* replacement) {
    CClientSock* old = g_pGameSocket;
    g_pGameSocket = replacement;
    if (!old || old == replacement) return;
    if (old->busy_ > 0)
        old->retired_ = true;
    else
        delete old;
}

CNetInfo::CNetInfo() {
    TWReport::print("CNetInfo::CNetInfo(): begin.\n");
}

CNetInfo::~CNetInfo() = default;
