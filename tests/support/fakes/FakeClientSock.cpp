#include "support/fakes/FakeClientSock.h"

#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/TwTest.h"

CClientSock* g_pGameSocket = nullptr;

namespace tw::fake {

std::vector<std::vector<unsigned char>>& SentPackets() {
    static std::vector<std::vector<unsigned char>> packets;
    return packets;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        SentPackets().clear();
        g_pGameSocket = nullptr;
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

CSocket::CSocket() = default;
CSocket::~CSocket() = default;
GroupedPackets::GroupedPackets() = default;
GroupedPackets::~GroupedPackets() = default;

CClientSock::CClientSock() : input_(nullptr), output_(nullptr), send_(nullptr), decoded_(nullptr) {}
CClientSock::~CClientSock() = default;

BOOL CClientSock::Write(PDSTRUCT* packet) {
    const size_t length = PacketManager::SealPacket(packet);
    if (length == 0) return FALSE;
    tw::fake::SentPackets().emplace_back(packet->data, packet->data + length);
    outputLength_ += length;
    return TRUE;
}
