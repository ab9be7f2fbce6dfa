#include "net/GMSSock.h"

#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

#include "ByteReader.h"
#include "TWReport.h"

CGMSSock* g_pGMSSock = nullptr;
int g_messageServiceUserNumber = -1;
int g_messageServiceState = 0;
const char* const MESSAGE_SERVICE_MAIL_DOMAIN = "localhost";

namespace {

M_DWORD LookUpLocalAddress() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return 0;
    struct hostent* host = gethostbyname(name);
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list[0])
        return 0;
    // The address in network order: big-endian.
    return ByteReader(host->h_addr_list[0], 4).u32be();
}

}  // namespace

CGMSSock::CGMSSock() {
    TWReport::print("CGMSSock::CGMSSock(): begin.\n");
    localAddress_ = LookUpLocalAddress();
}

CGMSSock::~CGMSSock() = default;

BOOL CGMSSock::Write(const M_WORD* text) {
    if (!text) return FALSE;
    if (socket_ == -1) {
        TWReport::message(
            "CGMSSock::Write: the message service is not connected; record dropped.\n");
        return FALSE;
    }
    // The terminator must lie within the free room; the scan never reads
    // further than what could be stored.
    size_t room = (kBufferSize - outputLength_) / 2;
    size_t units = 0;
    while (units < room && text[units] != 0) ++units;
    if (units >= room) {
        TWReport::error(
            "CGMSSock::Write: record does not fit in the output (%zu bytes used); dropped.\n",
            outputLength_);
        return FALSE;
    }
    for (size_t i = 0; i <= units; ++i) {
        output_[outputLength_++] = static_cast<M_BYTE>(text[i]);
        output_[outputLength_++] = static_cast<M_BYTE>(text[i] >> 8);
    }
    return TRUE;
}

void RecreateMessageServiceSocket() {
    delete g_pGMSSock;
    g_pGMSSock = new CGMSSock;
}
