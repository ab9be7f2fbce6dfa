// The game connection.
//
// `CClientSock` is the client's one TCP connection, first to the login
// server and, after the relay, to the game server.  It sends the 4-byte seed
// when it connects, is polled once per pass of the main loop, reads what has
// arrived into its 64 KB input buffer, Huffman-decodes the server stream in
// game mode, cuts the stream into messages by the packet table, holds
// messages while the server asks it to (message 0x33) and hands each one to
// `PacketManager::Dispatch`.  Builders hand finished packets to `Write`
// (XOR-streamed in login mode); the next poll flushes them (enciphered in
// game mode).  When the connection fails, `HandleConnectionLost` shows
// "Connection lost" and reconnects.
//
// Lifetimes: the buffers, the cipher and the decoder state belong to one
// connection object; `main` owns the current one through `g_pGameSocket`,
// and the relay and the reconnection replace it with `ReplaceGameSocket`,
// which never deletes a connection while its own poll is on the stack.
#pragma once

#include <cstddef>

#include "TWTypes.h"
#include "net/Huffman.h"
#include "net/StreamCipher.h"

struct PDSTRUCT;

class CSocket {
public:
    CSocket();
    virtual ~CSocket();
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;

    void Close();
    BOOL SetBlocking();
    BOOL SetNonBlocking();
    int Descriptor() const { return socket_; }

protected:
    int socket_ = -1;
};

// The held messages: each one's place (from the head of the framing buffer)
// and length; they stay in the buffer, in arrival order, until released.
class GroupedPackets {
public:
    GroupedPackets();
    ~GroupedPackets();
    GroupedPackets(const GroupedPackets&) = delete;
    GroupedPackets& operator=(const GroupedPackets&) = delete;

    void Add(size_t offset, size_t length);
    void Clear() { count_ = 0; }
    int Count() const { return count_; }
    size_t Offset(int i) const { return entries_[i].offset; }
    size_t Length(int i) const { return entries_[i].length; }

private:
    struct Entry {
        size_t offset;
        size_t length;
    };
    int count_ = 0;
    int capacity_ = 0;
    Entry* entries_ = nullptr;
};

class CClientSock : public CSocket {
public:
    static constexpr size_t kBufferSize = 65536;

    CClientSock();
    ~CClientSock() override;

    // Connects (blocking) to address:port, both in host order, and sends the
    // seed unless an edit-server address is configured.
    BOOL Connect(M_DWORD address, M_WORD port);
    void Poll();
    // Appends one built packet to the output; FALSE when it was refused.
    BOOL Write(PDSTRUCT* packet);
    // Sends what it can; TRUE while bytes remain.
    BOOL Flush();
    void FlushAll();

    // Set when the relay has been taken: turns the login stream off.
    void SetLoginStreamOff(BOOL on) { loginStreamOff_ = on; }
    BOOL IsLoginStreamOff() const { return loginStreamOff_; }
    // Game mode: input Huffman-decoded, output enciphered.  Starting it
    // resets the decoder.
    void SetGameMode(BOOL on);
    BOOL IsGameMode() const { return gameMode_; }
    BOOL IsLoginStream() const { return loginStream_; }
    BOOL IsHolding() const { return holding_; }
    M_DWORD GetLocalAddress() const { return localAddress_; }
    // The address and port (host order) of the last successful Connect.
    M_DWORD PeerAddress() const { return peerAddress_; }
    M_WORD PeerPort() const { return peerPort_; }
    size_t OutputLength() const { return outputLength_; }
    // The bytes appended by Write and not yet sent (after the login key,
    // before the game cipher); tests read them from a connection that never
    // connected.
    const M_BYTE* PendingOutput() const { return output_; }

    // Test and benchmark support: takes bytes as if they had been received
    // and frames them.
    void InjectInputForTests(const M_BYTE* data, size_t n);

private:
    friend void ReplaceGameSocket(CClientSock* replacement);
    class BusyScope;

    void Handle_Input();
    // Frames the current buffer; false when framing must stop for this poll
    // (the connection was lost, replaced or reconnected).
    bool FramePackets();
    // Dispatches one framed message at the framing position (holding rules).
    void DispatchFramed(size_t length);
    void ReleaseHeld();
    void DispatchAt(size_t offset, size_t length);
    void ProtocolError(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Closes and forgets the received bytes; Lost also runs the
    // connection-loss routine.
    void Drop();
    void Lost(const char* reason);
    void RemoveFromFraming(size_t offset, size_t length);
    bool Interrupted() const;

    M_DWORD cipherByteCount_ = 0;
    CStreamCipher* cipher_ = nullptr;
    BOOL loginStreamOff_ = FALSE;
    BOOL gameMode_ = FALSE;

    M_BYTE* input_;    // received bytes not yet framed (or decoded)
    M_BYTE* output_;   // bytes appended by Write not yet sent
    M_BYTE* send_;     // the enciphered form of output_[0, enciphered_)
    M_BYTE* decoded_;  // game mode: the decoded server stream, framed here
    size_t inputLength_ = 0;
    size_t outputLength_ = 0;
    size_t enciphered_ = 0;  // leading output bytes already in send_
    size_t decodedLength_ = 0;
    // Framing reads from here; the bytes before it are used and are moved
    // out once at the end of the framing pass.
    size_t frameStart_ = 0;

    CLoginStream loginKeys_;
    BOOL loginStream_ = FALSE;
    M_DWORD localAddress_ = 0;
    M_DWORD peerAddress_ = 0;
    M_WORD peerPort_ = 0;
    HuffmanDecoder decoder_;

    BOOL holding_ = FALSE;
    size_t heldBytes_ = 0;
    GroupedPackets held_;

    // The buffer being framed and its length (input_ or decoded_).
    M_BYTE* frameBuf_ = nullptr;
    size_t* frameLen_ = nullptr;
    unsigned frameGeneration_ = 0;

    int busy_ = 0;             // nesting of Poll and Flush on this object
    bool retired_ = false;     // replaced while busy: deleted when the poll ends
    unsigned generation_ = 0;  // counts Connect calls and losses
};

// Not used by anything but start-up: one per program, made by main.
class CNetInfo {
public:
    CNetInfo();
    virtual ~CNetInfo();
};

// The current game connection, owned by main.
extern CClientSock* g_pGameSocket;
// The game connection is there and open.  When it is not and who is given,
// logs "<who>: the connection is not open; nothing is sent.": a request
// made after the connection closed would only sit in the output of a dead
// socket.
BOOL GameConnectionOpen(const char* who = nullptr);
// Writes the packet to the game connection when it is open (FALSE and the
// line above otherwise).
BOOL WriteToOpenGame(PDSTRUCT* packet, const char* who);
// The seed that Connect sends first; while 0, Connect takes the local address.
extern M_DWORD g_connectSeed;
// Set when the login has completed; stops the reconnection after a loss.
extern BOOL g_loginComplete;

// Makes the replacement the current connection and deletes the old one, or,
// when the old one is inside its own poll, retires it until that poll ends.
void ReplaceGameSocket(CClientSock* replacement);

// Shows "Connection lost" while connected and, until the login has
// completed, reconnects at every 13th call (the first at the first call).
// The reason text is not used.
void HandleConnectionLost(CClientSock* socket, const char* reason);

namespace net_test {
// Test support: forgets the reconnection countdown, the shown waiting gump
// and the program-wide connection state.
void ResetConnectionState();
}  // namespace net_test
