#include "support/UdpResponder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace tw::test {

UdpResponder::UdpResponder(Policy policy) : policy_(std::move(policy)) {
    fd_ = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd_ < 0) throw std::runtime_error("UdpResponder: socket");
    // Any address, so that 127.0.0.2 and the like reach it as well.
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t len = sizeof addr;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        close(fd_);
        throw std::runtime_error("UdpResponder: bind");
    }
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { run(); });
}

UdpResponder::~UdpResponder() {
    stop_ = true;
    thread_.join();
    close(fd_);
}

std::vector<Datagram> UdpResponder::received() {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

void UdpResponder::run() {
    while (!stop_) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0) continue;
        unsigned char buffer[2048];
        sockaddr_in from{};
        socklen_t len = sizeof from;
        ssize_t n =
            recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
        if (n < 0) continue;
        Datagram got(buffer, buffer + n);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            received_.push_back(got);
        }
        std::vector<Datagram> replies = policy_ ? policy_(got) : std::vector<Datagram>{got};
        for (const Datagram& reply : replies)
            sendto(fd_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
    }
}

}  // namespace tw::test
