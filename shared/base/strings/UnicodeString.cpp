#include "strings/UnicodeString.h"

#include <climits>
#include <cstdint>

namespace {

const M_WORD kEmpty[1] = {0};

const M_WORD* orEmpty(const M_WORD* s) {
    return s ? s : kEmpty;
}

M_WORD fold(M_WORD c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<M_WORD>(c + 32) : c;
}

int sign(int a, int b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Compares unit by unit through get(), which yields the next unit of each
// side; at most n units when n >= 0.
template <typename A, typename B>
int compareFolded(A a, B b, long n) {
    for (long i = 0; n < 0 || i < n; ++i) {
        M_WORD x = fold(a(i));
        M_WORD y = fold(b(i));
        if (x != y) return sign(x, y);
        if (x == 0) return 0;
    }
    return 0;
}

}  // namespace

int UnicodeStrlen(const M_WORD* s) {
    if (!s) return 0;
    int n = 0;
    while (s[n]) ++n;
    return n;
}

void UnicodeStrcpy(M_WORD* dst, const M_WORD* src) {
    if (!dst) return;
    src = orEmpty(src);
    int i = 0;
    do {
        dst[i] = src[i];
    } while (src[i++]);
}

void UnicodeStrncpy(M_WORD* dst, const M_WORD* src, int n) {
    if (!dst || !src) return;
    int i = 0;
    for (; i < n && src[i]; ++i) dst[i] = src[i];
    dst[i] = 0;
}

void UnicodeStrcat(M_WORD* dst, const M_WORD* src) {
    if (!dst) return;
    UnicodeStrcpy(dst + UnicodeStrlen(dst), src);
}

M_WORD* UnicodeStrdup(const M_WORD* s) {
    if (!s) return nullptr;
    int n = UnicodeStrlen(s);
    M_WORD* copy = new M_WORD[n + 1];
    for (int i = 0; i <= n; ++i) copy[i] = s[i];
    return copy;
}

int UnicodeStrcmp(const M_WORD* a, const M_WORD* b) {
    a = orEmpty(a);
    b = orEmpty(b);
    for (int i = 0;; ++i) {
        if (a[i] != b[i]) return sign(a[i], b[i]);
        if (a[i] == 0) return 0;
    }
}

int UnicodeStricmp(const M_WORD* a, const M_WORD* b) {
    a = orEmpty(a);
    b = orEmpty(b);
    return compareFolded([a](long i) { return a[i]; }, [b](long i) { return b[i]; }, -1);
}

int UnicodeStrnicmp(const M_WORD* a, const M_WORD* b, int n) {
    if (n <= 0) return 0;
    a = orEmpty(a);
    b = orEmpty(b);
    return compareFolded([a](long i) { return a[i]; }, [b](long i) { return b[i]; }, n);
}

// The bytes are widened one at a time as they are compared, so no temporary
// copy of unknown size is needed.
int UnicodeAsciiStricmp(const char* bytes, const M_WORD* s) {
    const char* p = bytes ? bytes : "";
    s = orEmpty(s);
    return compareFolded(
        [p](long i) { return static_cast<M_WORD>(static_cast<unsigned char>(p[i])); },
        [s](long i) { return s[i]; }, -1);
}

int UnicodeStricmpAscii(const M_WORD* s, const char* bytes) {
    return -UnicodeAsciiStricmp(bytes, s);
}

void UnicodeStrcpyFromAscii(M_WORD* dst, const char* bytes) {
    if (!dst) return;
    const char* p = bytes ? bytes : "";
    int i = 0;
    do {
        dst[i] = static_cast<unsigned char>(p[i]);
    } while (p[i++]);
}

// Zero extension, as in UnicodeStrcpyFromAscii: sign extension would turn
// every byte above 127 into a unit of the 0xFF80 block.
void UnicodeStrcatAscii(M_WORD* dst, const char* bytes) {
    if (!dst) return;
    UnicodeStrcpyFromAscii(dst + UnicodeStrlen(dst), bytes);
}

void UnicodeToAscii(char* dst, const M_WORD* s) {
    if (!dst) return;
    s = orEmpty(s);
    int n = 0;
    for (; *s; ++s)
        if (*s < 128) dst[n++] = static_cast<char>(*s);
    dst[n] = 0;
}

void UnicodeStrcpyLowBytes(char* dst, const M_WORD* s) {
    if (!dst) return;
    s = orEmpty(s);
    int i = 0;
    for (; s[i]; ++i) dst[i] = static_cast<char>(s[i] & 0xFF);
    dst[i] = 0;
}

bool UnicodeIsAsciiString(const M_WORD* s) {
    for (s = orEmpty(s); *s; ++s)
        if (*s >= 128) return false;
    return true;
}

bool UnicodeIsAscii(M_WORD c) {
    return c < 128;
}

bool UnicodeIsDigit(M_WORD c) {
    return c >= '0' && c <= '9';
}

bool UnicodeIsSpace(M_WORD c) {
    return c == 32;
}

int UnicodeCharClass(M_WORD c) {
    if (c >= 0x3000 && c <= 0x9FFF) return 1;
    if (c >= 0xAC00 && c <= 0xD7A3) return 2;
    if (c >= 0xF900 && c <= 0xFAFF) return 3;
    return 0;
}

void UnicodeTrimRight(M_WORD* s) {
    if (!s) return;
    int n = UnicodeStrlen(s);
    while (n > 0 && s[n - 1] == 32) s[--n] = 0;
}

const M_WORD* UnicodeNextWordLower(const M_WORD* src, M_WORD* dst) {
    src = orEmpty(src);
    while (*src == 32) ++src;
    int n = 0;
    while (*src && *src != 32) {
        if (dst) dst[n++] = fold(*src);
        ++src;
    }
    if (dst) dst[n] = 0;
    if (*src == 32) ++src;
    return src;
}

void UnicodeItoa(int value, M_WORD* dst, int radix) {
    if (!dst) return;
    if (radix < 2 || radix > 36) radix = 10;
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    // The magnitude in an unsigned type, so that INT_MIN has one.
    std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    if (value < 0) {
        *dst++ = '-';
        magnitude = 0u - magnitude;
    }
    int digits = 1;
    for (std::uint32_t rest = magnitude / radix; rest; rest /= radix) ++digits;
    dst[digits] = 0;
    for (int i = digits - 1; i >= 0; --i) {
        dst[i] = static_cast<M_WORD>(kDigits[magnitude % radix]);
        magnitude /= radix;
    }
}

int UnicodeAtoi(const M_WORD* s) {
    s = orEmpty(s);
    // Beyond this the result saturates; keeping the magnitude below it also
    // keeps the accumulation itself from overflowing.
    const std::uint64_t kCap = static_cast<std::uint64_t>(INT_MAX) + 1;
    std::uint64_t magnitude = 0;
    int sign = 1;
    for (; *s; ++s) {
        if (*s == '-') {
            sign = -sign;
        } else if (*s == '+') {
        } else if (UnicodeIsDigit(*s)) {
            magnitude = magnitude * 10 + (*s - '0');
            if (magnitude > kCap) magnitude = kCap;
        } else {
            break;
        }
    }
    if (sign > 0) return magnitude >= kCap ? INT_MAX : static_cast<int>(magnitude);
    return magnitude >= kCap ? INT_MIN : -static_cast<int>(magnitude);
}
