// Small text buffers that turn an address or a number into text for one line
// of output; built, printed and dropped.
#pragma once

#include <cstdio>

// An IPv4 address given in host order, printed most significant byte first.
class CIPBuf {
public:
    explicit CIPBuf(unsigned address) {
        snprintf(m_text, sizeof m_text, "%u.%u.%u.%u", (address >> 24) & 0xFFu,
                 (address >> 16) & 0xFFu, (address >> 8) & 0xFFu, address & 0xFFu);
    }
    operator const char*() const { return m_text; }

private:
    char m_text[80];
};

class CNumBuf {
public:
    explicit CNumBuf(int value) { snprintf(m_text, sizeof m_text, "%d", value); }
    explicit CNumBuf(unsigned short value) { snprintf(m_text, sizeof m_text, "%hu", value); }
    explicit CNumBuf(unsigned value) { snprintf(m_text, sizeof m_text, "%u", value); }
    operator const char*() const { return m_text; }

private:
    char m_text[80];
};
