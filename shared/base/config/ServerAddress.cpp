// Server addresses of the configuration: the numeric form, host-name lookup
// and the two login-server lists.
#include <netdb.h>
#include <sys/socket.h>

#include <cstdlib>
#include <cstring>

#include "TWReport.h"
#include "config/Config.h"

LoginServerList loginServers;
LoginServerList backupLoginServers;

namespace {

constexpr size_t kMaxHostLength = 255;

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// Reads minDigits..maxDigits decimal digits into *value with unsigned
// arithmetic; false when the count is outside that range.
bool digits(const unsigned char*& p, int minDigits, int maxDigits, unsigned* value) {
    unsigned v = 0;
    int n = 0;
    while (isDigit(*p) && n <= maxDigits) {
        v = v * 10 + (*p - '0');
        ++p;
        ++n;
    }
    *value = v;
    return n >= minDigits && n <= maxDigits;
}

// "a.b.c.d,port": octets of 1-3 digits up to 255, a port of 4 or 5 digits up
// to 65535.  What follows the port is not looked at, unless it is a digit.
bool parseNumeric(const char* text, unsigned octets[4], unsigned* port) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    for (int i = 0; i < 4; ++i) {
        if (!digits(p, 1, 3, &octets[i]) || octets[i] > 255) return false;
        if (*p++ != (i < 3 ? '.' : ',')) return false;
    }
    return digits(p, 4, 5, port) && *port <= 65535;
}

M_DWORD pack(const unsigned octets[4]) {
    return static_cast<M_DWORD>(octets[0]) << 24 | static_cast<M_DWORD>(octets[1]) << 16 |
           static_cast<M_DWORD>(octets[2]) << 8 | static_cast<M_DWORD>(octets[3]);
}

// Which of a host's addresses the next lookup takes; shared by every lookup,
// the edit server's among them.
int s_nextAddress = 0;

BOOL fail(const char* text, const char* why, int* a, int* b, int* c, int* d, int* port) {
    *a = *b = *c = *d = 0;
    *port = 0;
    TWReport::warning("ResolveServerAddress: cannot resolve '%.*s': %s.\n",
                      static_cast<int>(kMaxHostLength), text ? text : "", why);
    return FALSE;
}

}  // namespace

BOOL IsNumericAddress(const char* text) {
    if (!text)
        TWReport::fatal("FILE:%s, Function: IsNumericAddress: val == 0.\n", "shared/base/config");
    unsigned octets[4], port;
    return parseNumeric(text, octets, &port) ? TRUE : FALSE;
}

void ParseNumericAddress(const char* text, M_DWORD* address, M_WORD* port) {
    unsigned octets[4], p;
    if (!text || !parseNumeric(text, octets, &p)) {
        *address = 0;
        *port = 0;
        return;
    }
    *address = pack(octets);
    *port = static_cast<M_WORD>(p);
}

BOOL ResolveServerAddress(const char* text, int* a, int* b, int* c, int* d, int* port) {
    if (!text) return fail(text, "no text", a, b, c, d, port);
    const char* comma = strchr(text, ',');
    size_t hostLength = comma ? static_cast<size_t>(comma - text) : strlen(text);
    if (hostLength == 0) return fail(text, "no host name", a, b, c, d, port);
    if (hostLength > kMaxHostLength) return fail(text, "host name too long", a, b, c, d, port);
    char host[kMaxHostLength + 1];
    memcpy(host, text, hostLength);
    host[hostLength] = 0;

    long p = 0;
    if (comma) {
        p = strtol(comma + 1, nullptr, 10);
        if (p < 0 || p > 65535) return fail(text, "port out of range", a, b, c, d, port);
    }

    hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
        !entry->h_addr_list[0])
        return fail(text, "no IPv4 address", a, b, c, d, port);
    int count = 0;
    while (entry->h_addr_list[count]) ++count;
    if (s_nextAddress >= count) s_nextAddress = 0;
    const unsigned char* bytes =
        reinterpret_cast<const unsigned char*>(entry->h_addr_list[s_nextAddress++]);
    *a = bytes[0];
    *b = bytes[1];
    *c = bytes[2];
    *d = bytes[3];
    *port = static_cast<int>(p);
    return TRUE;
}

void LoginServerList::Add(const char* value) {
    if (!value) return;
    if (count >= MAX_SERVERS) {
        TWReport::warning("LoginServerList::Add: list full; '%.*s' ignored.\n",
                          static_cast<int>(kMaxHostLength), value);
        return;
    }
    LoginServerSlot& slot = slots[count];
    delete[] slot.host;
    slot.host = nullptr;
    slot.address = 0;
    slot.port = 0;
    if (IsNumericAddress(value)) {
        ParseNumericAddress(value, &slot.address, &slot.port);
    } else {
        // The host text keeps its ",port"; it is split when resolved.
        size_t n = strnlen(value, kMaxHostLength + 6);
        slot.host = new char[n + 1];
        memcpy(slot.host, value, n);
        slot.host[n] = 0;
    }
    ++count;
}

void LoginServerList::Clear() {
    for (LoginServerSlot& slot : slots) {
        delete[] slot.host;
        slot = LoginServerSlot{};
    }
    count = 0;
    current = -1;
}
