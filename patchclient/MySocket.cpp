#include "MySocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>

namespace {

// The descriptor must not leak into the patch command the session runs.
int OpenTcpSocket() {
    return socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

// A time-out as poll's milliseconds, rounded up so that a short time-out does
// not become "return at once"; -1 (wait for ever) when none is set.
int TimeoutMs(const timeval& t) {
    if (t.tv_sec == 0 && t.tv_usec == 0) return -1;
    long long ms = static_cast<long long>(t.tv_sec) * 1000 + (t.tv_usec + 999) / 1000;
    if (ms < 0) return 0;
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

}  // namespace

CMySocket::CMySocket() {
    m_fd = OpenTcpSocket();
    m_valid = m_fd >= 0;
}

CMySocket::CMySocket(int descriptor) : m_valid(descriptor >= 0), m_fd(descriptor) {}

CMySocket::~CMySocket() {
    Close();
}

bool CMySocket::Resocket() {
    Close();
    m_fd = OpenTcpSocket();
    m_valid = m_fd >= 0;
    return m_valid;
}

bool CMySocket::Connect(unsigned address, unsigned short port) {
    if (m_fd < 0) return false;
    m_valid = true;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    int rc;
    do {
        rc = connect(m_fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    } while (rc < 0 && errno == EINTR);
    return rc == 0;
}

int CMySocket::WaitReady(short events) {
    int timeout = TimeoutMs(m_timeout);
    if (timeout < 0) return 1;
    // The stored time-out is never changed by a wait; an interrupted wait
    // goes on for what is left of it.
    timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pollfd p = {m_fd, static_cast<short>(events | POLLPRI), 0};
    int rc;
    for (;;) {
        rc = poll(&p, 1, timeout);
        if (rc >= 0 || errno != EINTR) break;
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        long long spent =
            (now.tv_sec - start.tv_sec) * 1000LL + (now.tv_nsec - start.tv_nsec) / 1000000;
        if (spent >= timeout) return 0;
        timeout -= static_cast<int>(spent);
        start = now;
    }
    if (rc < 0) return -1;
    if (rc == 0) return 0;
    if (p.revents & (POLLPRI | POLLERR | POLLNVAL)) return -1;
    // A hang-up is "ready": the receive reports the end of the stream.
    if (p.revents & (events | POLLHUP)) return 1;
    return 0;
}

int CMySocket::Receive(void* buffer, int n) {
    ssize_t got;
    do {
        got = recv(m_fd, buffer, static_cast<size_t>(n), MSG_DONTWAIT);
    } while (got < 0 && errno == EINTR);
    if (got >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) return static_cast<int>(got);
    int ready = WaitReady(POLLIN);
    if (ready <= 0) return ready;
    do {
        got = recv(m_fd, buffer, static_cast<size_t>(n), 0);
    } while (got < 0 && errno == EINTR);
    return static_cast<int>(got);
}

int CMySocket::Read(void* buffer, int n) {
    if (!m_valid) return -1;
    if (n <= 0) return 0;
    if (m_readAt == m_receivedEnd) {
        // A read as large as the buffer gains nothing from it.
        if (static_cast<size_t>(n) >= kReceiveBuffer) return Receive(buffer, n);
        m_received.resize(kReceiveBuffer);
        int got = Receive(m_received.data(), static_cast<int>(kReceiveBuffer));
        if (got <= 0) return got;
        m_readAt = 0;
        m_receivedEnd = static_cast<size_t>(got);
    }
    size_t take = std::min(static_cast<size_t>(n), m_receivedEnd - m_readAt);
    std::memcpy(buffer, m_received.data() + m_readAt, take);
    m_readAt += take;
    return static_cast<int>(take);
}

int CMySocket::Write(const void* buffer, int n) {
    if (!m_valid) return -1;
    const char* p = static_cast<const char*>(buffer);
    int sent = 0;
    // A send may take only part of the buffer; the rest goes after another
    // wait.  A peer that closed must not kill the program with SIGPIPE.
    while (sent < n) {
        int ready = WaitReady(POLLOUT);
        if (ready < 0) return -1;
        if (ready == 0) return sent;
        ssize_t rc = send(m_fd, p + sent, static_cast<size_t>(n - sent), MSG_NOSIGNAL);
        if (rc < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        sent += static_cast<int>(rc);
    }
    return sent;
}

int CMySocket::ReadBlock(void* buffer, int n) {
    char* p = static_cast<char*>(buffer);
    int got = 0;
    while (got < n) {
        int rc = Read(p + got, n - got);
        if (rc < 0) return rc;
        if (rc == 0) break;
        got += rc;
    }
    return got;
}

void CMySocket::Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_valid = false;
    m_readAt = m_receivedEnd = 0;
}

bool CMySocket::SetBlocking(bool blocking) {
    int flags = fcntl(m_fd, F_GETFL);
    if (flags < 0) return false;
    flags = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return fcntl(m_fd, F_SETFL, flags) == 0;
}

bool CMySocket::SetAddressReuse(bool reuse) {
    int on = reuse ? 1 : 0;
    return setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0;
}

bool CMySocket::Bind(unsigned short port) {
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(m_fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0) m_valid = false;
    return m_valid;
}

bool CMySocket::Listen() {
    if (listen(m_fd, 128) != 0) m_valid = false;
    return m_valid;
}

CMySocket* CMySocket::Accept() {
    int fd;
    do {
        fd = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd >= 0 ? new CMySocket(fd) : nullptr;
}

bool CheckSocketSystem() {
    return true;
}
