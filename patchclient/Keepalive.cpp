// The keep-alive thread: while the session waits for the user to read the
// message of the day or for the patch command, the server would drop a
// silent connection, so the thread writes message 3 every few seconds.  The
// session thread leaves the socket alone meanwhile.
#include <arpa/inet.h>

#include <atomic>
#include <ctime>

#include "PatchClient.h"

// Sleeps of 100 ms between two keep-alive messages.  Tests build a variant
// with a short period; the program always uses 100 (10 s).
#ifndef TIDEMEND_KEEPALIVE_SLEEPS
#define TIDEMEND_KEEPALIVE_SLEEPS 100
#endif

pthread_mutex_t keepalive_mutex = PTHREAD_MUTEX_INITIALIZER;

namespace {

CMySocket* keepalive_socket = nullptr;
std::atomic<bool> keepalive_die{false};
std::atomic<bool> keepalive_died{false};
std::atomic<int> keepalive_result{0};

}  // namespace

bool CPatchClient::KeepaliveThreadStart(CMySocket* socket) {
    keepalive_socket = socket;
    keepalive_die = false;
    keepalive_died = false;
    keepalive_result = 0;
    m_keepaliveRunning =
        pthread_create(&m_keepaliveThread, nullptr, MyControllingFunction, nullptr) == 0;
    return m_keepaliveRunning;
}

int CPatchClient::KeepaliveThreadEnd() {
    if (!m_keepaliveRunning) return 0;
    pthread_mutex_lock(&keepalive_mutex);
    keepalive_die = true;
    pthread_mutex_unlock(&keepalive_mutex);
    pthread_join(m_keepaliveThread, nullptr);
    m_keepaliveRunning = false;
    return keepalive_result;
}

void* CPatchClient::MyControllingFunction(void*) {
    int sleeps = 0;
    while (!keepalive_die) {
        timespec pause = {0, 100 * 1000 * 1000};
        nanosleep(&pause, nullptr);
        if (keepalive_die) break;
        if (++sleeps < TIDEMEND_KEEPALIVE_SLEEPS) continue;
        sleeps = 0;
        std::uint32_t message = htonl(3);
        if (keepalive_socket->Write(&message, 4) != 4) {
            keepalive_result = -1;
            break;
        }
    }
    keepalive_died = true;
    return nullptr;
}
