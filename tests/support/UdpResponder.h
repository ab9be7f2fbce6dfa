// A loopback UDP responder for the server ping: bound to any address on a
// port the system chooses (so it answers datagrams sent to 127.0.0.1 and to
// other 127.x.y.z addresses alike), it runs its own thread and answers every
// datagram with what the policy returns: by default the datagram itself.  A
// policy can drop a datagram (no replies), change it, or add forged replies.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tw::test {

using Datagram = std::vector<unsigned char>;

class UdpResponder {
public:
    using Policy = std::function<std::vector<Datagram>(const Datagram& received)>;

    explicit UdpResponder(Policy policy = {});
    ~UdpResponder();
    UdpResponder(const UdpResponder&) = delete;
    UdpResponder& operator=(const UdpResponder&) = delete;

    int port() const { return port_; }
    // Every datagram received so far, in arrival order.
    std::vector<Datagram> received();

private:
    void run();

    Policy policy_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Datagram> received_;
    std::thread thread_;
};

}  // namespace tw::test
