#include "FakeWordFilter.h"

#include <cstdio>
#include <cstring>

#include "comm/WordFilter.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<std::string>& WordFilterCalls() {
    static std::vector<std::string> calls;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] { calls.clear(); });
    }
    return calls;
}

}  // namespace tw::fake

namespace {
constexpr char kWord[] = "darn";
constexpr char kMask[] = "!@#$";
}  // namespace

void FilterProfanity(char* text) {
    for (char* p = text; p && (p = strstr(p, kWord)) != nullptr; p += 4) memcpy(p, kMask, 4);
    tw::fake::WordFilterCalls().push_back(std::string("8: ") + (text ? text : ""));
}

void FilterProfanityUnicode(M_WORD* text) {
    std::string shown = "16: ";
    for (M_WORD* u = text; u && *u; ++u) {
        if (u[0] == 'd' && u[1] == 'a' && u[2] == 'r' && u[3] == 'n')
            for (int i = 0; i < 4; ++i) u[i] = static_cast<M_BYTE>(kMask[i]);
        if (*u < 128) {
            shown += static_cast<char>(*u);
        } else {
            char hex[16];
            snprintf(hex, sizeof hex, "\\u{%04X}", *u);
            shown += hex;
        }
    }
    tw::fake::WordFilterCalls().push_back(shown);
}
