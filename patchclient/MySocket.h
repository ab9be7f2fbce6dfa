// CMySocket: a TCP socket whose reads and writes wait at most a set time-out,
// so that a silent patch server cannot hang the patch program.  The patch
// session is itself a CMySocket; the server-side calls exist for tools and
// tests that need a listener.
//
// Reads take what has already arrived first: one receive fetches up to
// 64 KB into the socket's own buffer, later reads are served from it, and
// the socket is polled (with the time-out) only when nothing is waiting.
// A download of small blocks thus costs one system call per 64 KB, not two
// per block header and two per block.
#pragma once

#include <sys/time.h>

#include <cstddef>
#include <vector>

class CMySocket {
public:
    // Opens a TCP socket; valid when that succeeded.
    CMySocket();
    // Wraps an open descriptor: valid, no time-out.
    explicit CMySocket(int descriptor);
    virtual ~CMySocket();
    CMySocket(const CMySocket&) = delete;
    CMySocket& operator=(const CMySocket&) = delete;

    // Closes what is open and opens a fresh TCP socket; returns the valid flag.
    bool Resocket();
    // Address and port in host order.  The valid flag stays set either way so
    // that Close releases the descriptor.
    bool Connect(unsigned address, unsigned short port);
    // Zero seconds and zero microseconds mean "no time-out".
    void SetTimeout(timeval timeout) { m_timeout = timeout; }

    // Read: bytes already received, or else one receive after waiting at
    // most the time-out.  Write: every byte of the buffer, each send after
    // such a wait.  -1 when not valid, on an error or an exceptional
    // condition met while waiting; 0 when the wait ended without the socket
    // becoming ready or the peer closed; else the byte count.
    int Read(void* buffer, int n);
    int Write(const void* buffer, int n);
    // Reads until n bytes arrived: the count so far when the peer closed or
    // the wait timed out, a negative result unchanged.
    int ReadBlock(void* buffer, int n);

    void Close();
    bool IsValid() const { return m_valid; }

    // Listener side.
    bool SetBlocking(bool blocking);
    bool SetAddressReuse(bool reuse);
    bool Bind(unsigned short port);
    bool Listen();
    // A new socket for the accepted connection, or null; the caller owns it.
    CMySocket* Accept();
    int GetFileDescriptor() const { return m_fd; }

private:
    // Waits for the descriptor to become ready: 1 ready, 0 not ready within
    // the time-out, -1 error or exceptional condition.
    int WaitReady(short events);
    // One receive of up to n bytes into buffer: at once when bytes are
    // there, else after WaitReady.  The result as for Read.
    int Receive(void* buffer, int n);

    static constexpr std::size_t kReceiveBuffer = 64 * 1024;

    bool m_valid = false;
    int m_fd = -1;
    timeval m_timeout = {0, 0};
    // Received bytes not yet read: m_received[m_readAt, m_receivedEnd).
    std::vector<char> m_received;
    std::size_t m_readAt = 0;
    std::size_t m_receivedEnd = 0;
};

// The socket layer needs no start-up on this platform.
bool CheckSocketSystem();
