#include "net/ServerPing.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "ByteReader.h"
#include "ByteWriter.h"
#include "Clock.h"
#include "TWReport.h"
#include "net/ClientSock.h"
#include "net/ConnectionEvents.h"

namespace {

PingSettings g_settings;  // process lifetime; only tests change it

// The wait cursor is set with the login counted as complete, whatever it is,
// so that the cursor code shows it on the front end too.
void SetWaitCursor(bool begin) {
    BOOL saved = g_loginComplete;
    g_loginComplete = 1;
    if (begin)
        net::Windows().BeginWait();
    else
        net::Windows().EndWait();
    net::Windows().SetCursorType(17);
    g_loginComplete = saved;
}

void ShowPingMessage(const char* text) {
    TWReport::warning("PingServers: %s\n", text);
    net::Windows().OpenWaitingGump(text, nullptr, 0, 0, 0);
}

void SleepOneMs() {
    struct timespec ts = {0, 1000 * 1000};
    nanosleep(&ts, nullptr);
}

struct Slot {
    bool sent = false;
    M_DWORD sendTime = 0;
    M_DWORD roundTrip = 0;  // 0 = no valid reply
};

class PingRun {
public:
    PingRun(int fd, int count, const M_DWORD* addresses)
        : fd_(fd), count_(count), addresses_(addresses), slots_(count * PING_ROUNDS) {}

    void SendAll() {
        for (int round = 0; round < PING_ROUNDS; ++round) {
            for (int server = 0; server < count_; ++server) {
                if (!SendOne(server, round)) {
                    ShowPingMessage("Couldn't send for 4 seconds.");
                    break;  // the rest of this round is abandoned
                }
            }
        }
    }

    void ReceiveAll() {
        const int expected = count_ * PING_ROUNDS;
        int counted = 0;
        M_DWORD start = GetTimeMs();
        while (counted < expected) {
            M_DWORD elapsed = GetTimeMs() - start;
            if (elapsed >= g_settings.receiveTimeoutMs) break;
            M_DWORD left = g_settings.receiveTimeoutMs - elapsed;
            struct pollfd p = {fd_, POLLIN, 0};
            // Short waits keep the time-out in the client's clock, not poll's.
            poll(&p, 1, left < 10 ? static_cast<int>(left) : 10);
            M_BYTE reply[PING_DATAGRAM_SIZE];
            ssize_t n;
            while (counted < expected &&
                   (n = recvfrom(fd_, reply, sizeof reply, 0, nullptr, nullptr)) >= 0) {
                ++counted;  // every reply counts, bogus or not
                Accept(reply, static_cast<size_t>(n));
            }
        }
    }

    M_WORD Result(int server) const {
        M_DWORD sum = 0;
        for (int round = 0; round < PING_ROUNDS; ++round) {
            M_DWORD rt = slots_[server * PING_ROUNDS + round].roundTrip;
            if (rt == 0) rt = PING_MISSING_ROUND_MS;
            // Checked before adding: a clock set back during the ping gives a
            // round trip of nearly 2^32 ms, which must not wrap the sum.
            if (rt > 65535 - sum) return 65535;
            sum += rt;
        }
        return static_cast<M_WORD>(sum);
    }

private:
    bool SendOne(int server, int round) {
        Slot& slot = slots_[server * PING_ROUNDS + round];
        slot = Slot{};
        std::vector<M_BYTE> datagram;
        ByteWriter w(datagram);
        w.u16be(static_cast<unsigned>(g_settings.serverPort)).u8(server).u8(round);
        w.zeros(PING_DATAGRAM_SIZE - datagram.size());

        struct sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<uint16_t>(g_settings.serverPort));
        to.sin_addr.s_addr = htonl(addresses_[server]);

        M_DWORD first = GetTimeMs();
        for (;;) {
            if (sendto(fd_, datagram.data(), datagram.size(), MSG_NOSIGNAL,
                       reinterpret_cast<const sockaddr*>(&to), sizeof to) >= 0) {
                slot.sent = true;
                slot.sendTime = GetTimeMs();
                return true;
            }
            if (GetTimeMs() - first >= g_settings.sendTimeoutMs) return false;
            SleepOneMs();
        }
    }

    // A reply names a datagram that was sent; anything else is bogus, and a
    // short reply never reads past what arrived.
    void Accept(const M_BYTE* reply, size_t length) {
        ByteReader r(reply, length);
        r.skip(2);
        int server = r.i8();
        int round = r.i8();
        if (!r.ok() || server < 0 || server >= count_ || round < 0 || round >= PING_ROUNDS ||
            !slots_[server * PING_ROUNDS + round].sent) {
            ShowPingMessage("Bogus return ping");
            return;
        }
        Slot& slot = slots_[server * PING_ROUNDS + round];
        M_DWORD rt = GetTimeMs() - slot.sendTime;
        slot.roundTrip = rt ? rt : 1;
    }

    int fd_;
    int count_;
    const M_DWORD* addresses_;
    std::vector<Slot> slots_;
};

}  // namespace

void SetPingSettingsForTests(const PingSettings& settings) {
    g_settings = settings;
}
void ResetPingSettings() {
    g_settings = PingSettings{};
}

void PingServers(int count, const M_DWORD* addresses, M_WORD* results) {
    if (count < 0 || !addresses || !results) count = 0;
    // Servers past what the index byte can name are left as never answering.
    int pinged = count < PING_MAX_SERVERS ? count : PING_MAX_SERVERS;
    for (int i = pinged; i < count; ++i)
        results[i] = static_cast<M_WORD>(PING_ROUNDS * PING_MISSING_ROUND_MS);

    SetWaitCursor(true);
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) {
        ShowPingMessage("Socket Creation Failed");
    } else {
        struct sockaddr_in any = {};
        any.sin_family = AF_INET;
        any.sin_port = htons(static_cast<uint16_t>(g_settings.localPort));
        any.sin_addr.s_addr = htonl(INADDR_ANY);
        if (bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
            ShowPingMessage("Bind Failed");
        } else if (pinged > 0) {
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
            PingRun run(fd, pinged, addresses);
            run.SendAll();
            run.ReceiveAll();
            for (int i = 0; i < pinged; ++i) results[i] = run.Result(i);
        }
        close(fd);
    }
    SetWaitCursor(false);
}
