#include "config/Color.h"

#include <cstdlib>
#include <cstring>

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

// Decimal value with the C library's leading blanks and sign, saturated to
// the int range instead of overflowing.
long decimal(const char* text) {
    long v = strtol(text, nullptr, 10);
    if (v > 0x7FFFFFFFL) v = 0x7FFFFFFFL;
    if (v < -0x7FFFFFFFL - 1) v = -0x7FFFFFFFL - 1;
    return v;
}

}  // namespace

int ParseColor(const char* text) {
    if (!text) return 0;
    if (text[0] == '-') return static_cast<int>(decimal(text));
    int r, g, b;
    if (text[0] == '#') {
        int digits[6] = {0, 0, 0, 0, 0, 0};
        // Stop at the terminator: a short text must not be read past its end.
        for (int i = 0; i < 6 && text[1 + i]; ++i) digits[i] = hexDigit(text[1 + i]);
        r = digits[0] << 4 | digits[1];
        g = digits[2] << 4 | digits[3];
        b = digits[4] << 4 | digits[5];
    } else {
        unsigned long n = static_cast<unsigned long>(decimal(text));
        r = static_cast<int>(n >> 16 & 255);
        g = static_cast<int>(n >> 8 & 255);
        b = static_cast<int>(n & 255);
    }
    return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
}

char* StripParenthesis(const char* text) {
    static char name[256];
    name[0] = 0;
    if (!text || !*text) return name;
    const char* open = strchr(text, '(');
    size_t n = open ? static_cast<size_t>(open - text) : strlen(text);
    // Only a parenthesis has a blank before it to drop.
    if (open && n > 0) --n;
    if (n > sizeof name - 1) n = sizeof name - 1;
    memcpy(name, text, n);
    name[n] = 0;
    return name;
}
