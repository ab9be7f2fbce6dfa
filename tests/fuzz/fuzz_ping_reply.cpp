// Ping replies over arbitrary bytes: the servers of a ping are all a
// loopback responder that answers every datagram it gets by a plan read from
// the input, so that the client's reply reading sees echoes, changed server
// and round bytes, short and long replies and replies of its own making,
// through the real sockets.  The first byte: the number of servers (1 to 4).
// Then for each datagram one plan byte: its low two bits choose an echo, an
// echo with the server and round bytes from the next two input bytes, the
// echo cut to the byte's upper six bits, or that many raw input bytes.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "net/ServerPing.h"
#include "support/doubles/RecordingConnection.h"

namespace {

// The ping's wait cursor and message box go to a recording double of the
// modules above the network core; what it records is dropped after every
// input.
void InstallUpper() {
    static tw::doubles::RecordingConnection upper;
    upper.waitingGumpTexts.clear();
    upper.mouseCalls.clear();
}

class Plan {
public:
    Plan(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    unsigned Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    std::vector<uint8_t> Reply(const uint8_t* datagram, size_t length) {
        const unsigned step = Byte();
        std::vector<uint8_t> reply(datagram, datagram + length);
        switch (step & 3) {
            case 1:
                if (reply.size() >= 4) {
                    reply[2] = static_cast<uint8_t>(Byte());
                    reply[3] = static_cast<uint8_t>(Byte());
                }
                break;
            case 2:
                reply.resize(std::min<size_t>(reply.size(), step >> 2));
                break;
            case 3:
                reply.clear();
                for (unsigned i = 0; i < (step >> 2); ++i) reply.push_back(uint8_t(Byte()));
                break;
        }
        return reply;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Bound to 127.0.0.1 on a port the system chooses, for the whole run.
int ResponderSocket(int* port) {
    static int fd = -1;
    static int bound = 0;
    if (fd < 0) {
        fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in at = {};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof at;
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&at), size) != 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size) != 0)
            abort();
        bound = ntohs(at.sin_port);
    }
    *port = bound;
    return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 1) return 0;
    InstallUpper();
    int port = 0;
    const int fd = ResponderSocket(&port);
    // Replies left over from the last input must not be taken for this one's.
    uint8_t stale[64];
    while (recv(fd, stale, sizeof stale, MSG_DONTWAIT) >= 0) {
    }

    PingSettings settings;
    settings.localPort = 0;
    settings.serverPort = port;
    settings.sendTimeoutMs = 30;
    settings.receiveTimeoutMs = 200;
    SetPingSettingsForTests(settings);

    Plan plan(data + 1, size - 1);
    std::atomic<bool> done{false};
    std::thread responder([&] {
        while (!done) {
            pollfd p = {fd, POLLIN, 0};
            if (poll(&p, 1, 1) <= 0) continue;
            uint8_t datagram[64];
            sockaddr_in from = {};
            socklen_t fromSize = sizeof from;
            ssize_t n = recvfrom(fd, datagram, sizeof datagram, 0,
                                 reinterpret_cast<sockaddr*>(&from), &fromSize);
            if (n < 0) continue;
            const std::vector<uint8_t> reply = plan.Reply(datagram, size_t(n));
            sendto(fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), fromSize);
        }
    });

    const int count = 1 + data[0] % 4;
    const M_DWORD addresses[4] = {INADDR_LOOPBACK, INADDR_LOOPBACK, INADDR_LOOPBACK,
                                  INADDR_LOOPBACK};
    M_WORD results[4] = {};
    PingServers(count, addresses, results);
    done = true;
    responder.join();
    return 0;
}
