#include "strings/USimStr.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>

#include "strings/AssertFail.h"
#include "strings/UnicodeString.h"

namespace {

const M_WORD kEmptyText[1] = {0};

// Allocation failure is an internal assertion naming the member, as the rest
// of the client's string code reports it.
M_WORD* allocUnits(long long units, const char* expression, unsigned line, const char* function) {
    M_WORD* buffer = nullptr;
    if (units > 0 && units <= INT_MAX) buffer = new (std::nothrow) M_WORD[units];
    if (!buffer) AssertFail(expression, "shared/base/usimstr", line, function);
    return buffer;
}

void copyUnits(M_WORD* dst, const M_WORD* src, int n) {
    if (n > 0) memmove(dst, src, static_cast<size_t>(n) * sizeof(M_WORD));
}

M_WORD lowerUnit(M_WORD c) {
    return c < 256 ? static_cast<M_WORD>(tolower(c)) : c;
}

M_WORD upperUnit(M_WORD c) {
    return c < 256 ? static_cast<M_WORD>(toupper(c)) : c;
}

// Formats a number as bytes and widens it.
template <typename T>
void widenNumber(M_WORD* out, size_t outSize, const char* format, T value) {
    char bytes[64];
    snprintf(bytes, sizeof bytes, format, value);
    size_t i = 0;
    for (; bytes[i] && i + 1 < outSize; ++i) out[i] = static_cast<unsigned char>(bytes[i]);
    out[i] = 0;
}

}  // namespace

USimStr::USimStr() : str(nullptr), len(0), grow(1), cap(1) {
    str = allocUnits(1, "str", 30, "USimStr::USimStr(void)");
    str[0] = 0;
}

USimStr::USimStr(const char* bytes) : str(nullptr), len(0), grow(1), cap(0) {
    int n = bytes ? static_cast<int>(strlen(bytes)) : 0;
    str = allocUnits(n + 1LL, "str", 38, "USimStr::USimStr(const char *)");
    UnicodeStrcpyFromAscii(str, bytes);
    len = n;
}

USimStr::USimStr(M_WORD c) : str(nullptr), len(0), grow(1), cap(1) {
    str = allocUnits(2, "str", 49, "USimStr::USimStr(M_WORD)");
    str[0] = c;
    str[1] = 0;
    len = c ? 1 : 0;
}

USimStr::USimStr(const M_WORD* s) : str(nullptr), len(0), grow(1), cap(0) {
    if (s) strDup(s);
}

USimStr::USimStr(const USimStr& other) : str(nullptr), len(0), grow(1), cap(0) {
    if (other.str) strDup(other.str);
}

USimStr::~USimStr() {
    delete[] str;
}

void USimStr::replaceBuffer(M_WORD* buffer, int newCap, int newLen) {
    delete[] str;
    str = buffer;
    cap = newCap;
    len = newLen;
}

// The new text is copied before the old buffer is freed, so s may point into
// this string's own text.
M_WORD* USimStr::strDup(const M_WORD* s) {
    if (!s) {
        Empty();
        return str;
    }
    int n = UnicodeStrlen(s);
    if (n + 1 > cap) {
        int newCap = n + grow;
        M_WORD* buffer = allocUnits(newCap, "str", 79, "M_WORD * USimStr::strDup(const M_WORD *)");
        copyUnits(buffer, s, n);
        buffer[n] = 0;
        replaceBuffer(buffer, newCap, n);
    } else {
        copyUnits(str, s, n);
        str[n] = 0;
        len = n;
    }
    return str;
}

M_WORD* USimStr::strDup(const M_WORD* s, int n) {
    if (!s) {
        Empty();
        return nullptr;
    }
    int m = 0;
    while (m < n && s[m]) ++m;
    if (m + 1 > cap) {
        int newCap = m + grow;
        M_WORD* buffer =
            allocUnits(newCap, "str", 103, "M_WORD * USimStr::strDup(const M_WORD *, int)");
        copyUnits(buffer, s, m);
        buffer[m] = 0;
        replaceBuffer(buffer, newCap, m);
    } else {
        copyUnits(str, s, m);
        str[m] = 0;
        len = m;
    }
    return str;
}

// s may be this string's own text (a += a): its length is taken first and the
// units are moved, never copied up to a terminator that the copy overwrites.
M_WORD* USimStr::strCat(const M_WORD* s) {
    int n = UnicodeStrlen(s);
    if (n == 0) return str;
    long long needed = static_cast<long long>(len) + n + 1;
    if (needed > cap) {
        long long newCap = static_cast<long long>(len) + n + grow;
        M_WORD* buffer = allocUnits(newCap, "tmp", 121, "M_WORD * USimStr::strCat(const M_WORD *)");
        copyUnits(buffer, str, len);
        copyUnits(buffer + len, s, n);
        buffer[len + n] = 0;
        replaceBuffer(buffer, static_cast<int>(newCap), len + n);
    } else {
        copyUnits(str + len, s, n);
        len += n;
        str[len] = 0;
    }
    return str;
}

void USimStr::Empty() {
    if (str) str[0] = 0;
    len = 0;
}

USimStr& USimStr::operator=(const M_WORD* s) {
    strDup(s);
    return *this;
}

USimStr& USimStr::operator=(const USimStr& other) {
    strDup(other.str);
    return *this;
}

USimStr& USimStr::operator=(M_WORD c) {
    if (cap < 2) {
        M_WORD* buffer = allocUnits(2, "str", 188, "class USimStr & USimStr::operator =(M_WORD)");
        replaceBuffer(buffer, 2, 0);
    }
    str[0] = c;
    str[1] = 0;
    len = c ? 1 : 0;
    return *this;
}

USimStr& USimStr::operator=(int value) {
    M_WORD text[64];
    widenNumber(text, 64, "%d", value);
    strDup(text);
    return *this;
}

USimStr& USimStr::operator+=(const M_WORD* s) {
    strCat(s);
    return *this;
}

USimStr& USimStr::operator+=(const USimStr& other) {
    strCat(other.str);
    return *this;
}

USimStr& USimStr::operator+=(M_WORD c) {
    if (len + 2 <= cap) {
        str[len] = c;
        str[len + 1] = 0;
    } else {
        M_WORD* buffer =
            allocUnits(len + 2LL, "tmp", 254, "class USimStr & USimStr::operator +=(M_WORD)");
        copyUnits(buffer, str, len);
        buffer[len] = c;
        buffer[len + 1] = 0;
        replaceBuffer(buffer, len + 2, len);
    }
    len = UnicodeStrlen(str);
    return *this;
}

USimStr& USimStr::operator+=(int value) {
    M_WORD text[64];
    widenNumber(text, 64, "%d", value);
    strCat(text);
    return *this;
}

USimStr& USimStr::operator+=(unsigned value) {
    M_WORD text[64];
    widenNumber(text, 64, "%u", value);
    strCat(text);
    return *this;
}

USimStr& USimStr::operator+=(float value) {
    // "%f" of the largest float has 46 characters.
    M_WORD text[64];
    widenNumber(text, 64, "%f", static_cast<double>(value));
    strCat(text);
    return *this;
}

// The added text and the old text go into a new buffer before the old one is
// freed, so `added` may be this string's own text.
void USimStr::prependUnits(const M_WORD* added, int addedLen, unsigned line, const char* function) {
    if (addedLen <= 0) return;
    long long result = static_cast<long long>(len) + addedLen;
    long long newCap = result + 1 <= cap ? cap : cap + (addedLen > grow ? addedLen : grow);
    if (newCap < result + 1) newCap = result + 1;
    M_WORD* buffer = allocUnits(newCap, "newbuf", line, function);
    copyUnits(buffer, added, addedLen);
    copyUnits(buffer + addedLen, str, len);
    buffer[result] = 0;
    replaceBuffer(buffer, static_cast<int>(newCap), static_cast<int>(result));
}

USimStr& USimStr::prepend(const USimStr& other) {
    prependUnits(other.c_str(), UnicodeStrlen(other.c_str()), 438,
                 "class USimStr & USimStr::prepend(const class USimStr &)");
    return *this;
}

USimStr& USimStr::prepend(const M_WORD* s) {
    prependUnits(s, UnicodeStrlen(s), 422, "class USimStr & USimStr::prepend(const M_WORD *)");
    return *this;
}

USimStr& USimStr::prepend(M_WORD c) {
    prependUnits(&c, c ? 1 : 0, 404, "class USimStr & USimStr::prepend(M_WORD)");
    return *this;
}

USimStr& USimStr::substring(int start, int count) const {
    static USimStr result;
    if (start < 0 || start >= len || count <= 0)
        result.Empty();
    else
        result.strDup(str + start, count < len - start ? count : len - start);
    return result;
}

bool USimStr::operator==(const USimStr& other) const {
    return UnicodeStricmp(c_str(), other.c_str()) == 0;
}
bool USimStr::operator==(const M_WORD* s) const {
    return UnicodeStricmp(c_str(), s) == 0;
}
bool USimStr::operator!=(const USimStr& other) const {
    return !(*this == other);
}
bool USimStr::operator!=(const M_WORD* s) const {
    return !(*this == s);
}
bool USimStr::operator<(const USimStr& other) const {
    return UnicodeStrcmp(c_str(), other.c_str()) < 0;
}
bool USimStr::operator<(const M_WORD* s) const {
    return UnicodeStrcmp(c_str(), s) < 0;
}
bool USimStr::operator<=(const USimStr& other) const {
    return UnicodeStrcmp(c_str(), other.c_str()) <= 0;
}
bool USimStr::operator<=(const M_WORD* s) const {
    return UnicodeStrcmp(c_str(), s) <= 0;
}
bool USimStr::operator>(const USimStr& other) const {
    return UnicodeStrcmp(c_str(), other.c_str()) > 0;
}
bool USimStr::operator>(const M_WORD* s) const {
    return UnicodeStrcmp(c_str(), s) > 0;
}
bool USimStr::operator>=(const USimStr& other) const {
    return UnicodeStrcmp(c_str(), other.c_str()) >= 0;
}
bool USimStr::operator>=(const M_WORD* s) const {
    return UnicodeStrcmp(c_str(), s) >= 0;
}

bool USimStr::operator==(M_WORD c) const {
    return len == 1 && str[0] == c;
}

bool USimStr::operator!=(M_WORD c) const {
    return !(len == 1 && lowerUnit(str[0]) == lowerUnit(c));
}

M_WORD USimStr::operator[](int index) const {
    return static_cast<unsigned>(index) < static_cast<unsigned>(len) ? str[index] : 0;
}

const M_WORD* USimStr::c_str() const {
    return str ? str : kEmptyText;
}

USimStr::operator M_WORD*() {
    return getBuffer();
}

M_WORD* USimStr::getBuffer() {
    if (!str) {
        str = allocUnits(1, "str", 30, "M_WORD * USimStr::getBuffer(void)");
        str[0] = 0;
        cap = 1;
        len = 0;
    }
    return str;
}

void USimStr::toUpper() {
    for (int i = 0; i < len; ++i) str[i] = upperUnit(str[i]);
}

void USimStr::toLower() {
    for (int i = 0; i < len; ++i) str[i] = lowerUnit(str[i]);
}

int USimStr::toInt() const {
    return UnicodeAtoi(c_str());
}

bool USimStr::isEmpty() const {
    return !str || !str[0];
}

bool USimStr::isAllDigits() const {
    for (int i = 0; i < len; ++i)
        if (!UnicodeIsDigit(str[i])) return false;
    return true;
}

bool USimStr::contains(M_WORD c) const {
    for (int i = 0; i < len; ++i)
        if (str[i] == c) return true;
    return false;
}

int USimStr::removeTrailing(M_WORD c) {
    if (len > 0 && str[len - 1] == c) {
        str[--len] = 0;
        return 1;
    }
    return 0;
}

bool USimStr::startsWith(const char* bytes) const {
    if (!str) return false;
    if (!bytes) return true;
    for (int i = 0; bytes[i]; ++i)
        if (i >= len || str[i] != static_cast<unsigned char>(bytes[i])) return false;
    return true;
}

bool USimStr::isPrefixOf(const char* bytes) const {
    if (!str) return false;
    const char* p = bytes ? bytes : "";
    for (int i = 0; i < len; ++i)
        if (!p[i] || str[i] != static_cast<unsigned char>(p[i])) return false;
    return true;
}

// The result is built apart from the operands, so either may be the shared
// result itself; only the overwriting by the next call remains.
USimStr& operator+(const USimStr& left, const M_WORD* right) {
    static USimStr result;
    USimStr sum(left);
    sum.strCat(right);
    result = sum;
    return result;
}

USimStr& operator+(const USimStr& left, M_WORD right) {
    static USimStr result;
    USimStr sum(left);
    sum += right;
    result = sum;
    return result;
}

USimStr& operator+(const USimStr& left, const USimStr& right) {
    static USimStr result;
    USimStr sum(left);
    sum.strCat(right.c_str());
    result = sum;
    return result;
}
