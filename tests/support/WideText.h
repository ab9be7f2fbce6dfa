// 16-bit test text: Wide builds a zero-terminated M_WORD string from ASCII
// bytes or from a list of units, and Narrow turns one back into bytes for
// readable assertions (units from 128 up appear as "\u{XXXX}").
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "TWTypes.h"

namespace tw::test {

class Wide {
public:
    Wide(const char* bytes) {
        for (; bytes && *bytes; ++bytes) units_.push_back(static_cast<unsigned char>(*bytes));
        units_.push_back(0);
    }
    Wide(const std::string& bytes) : Wide(bytes.c_str()) {}
    Wide(std::initializer_list<M_WORD> units) : units_(units) { units_.push_back(0); }

    // Read-only conversion only: a second, writable one would make
    // comparisons with string classes ambiguous.  data() gives write access.
    operator const M_WORD*() const { return units_.data(); }
    M_WORD* data() { return units_.data(); }
    const M_WORD* data() const { return units_.data(); }
    // Units before the terminator.
    size_t size() const { return units_.size() - 1; }

private:
    std::vector<M_WORD> units_;
};

inline std::string Narrow(const M_WORD* s) {
    if (!s) return "(null)";
    std::string out;
    for (; *s; ++s) {
        if (*s < 128) {
            out += static_cast<char>(*s);
        } else {
            char hex[16];
            snprintf(hex, sizeof hex, "\\u{%04X}", *s);
            out += hex;
        }
    }
    return out;
}

}  // namespace tw::test
