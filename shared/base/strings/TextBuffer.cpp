#include "strings/TextBuffer.h"

#include <strings.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kGrow = 64;

char* allocBytes(long long n) {
    return new char[static_cast<size_t>(n)];
}

void moveBytes(char* dst, const char* src, long long n) {
    if (n > 0) memmove(dst, src, static_cast<size_t>(n));
}

int textLength(const char* s) {
    return s ? static_cast<int>(strnlen(s, INT_MAX - kGrow - 1)) : 0;
}

}  // namespace

CTextBuffer::CTextBuffer() : str(nullptr), len(0), grow(kGrow), cap(0) {}

CTextBuffer::CTextBuffer(char c) : str(allocBytes(kGrow)), len(c ? 1 : 0), grow(kGrow), cap(kGrow) {
    str[0] = c;
    str[1] = 0;
}

CTextBuffer::CTextBuffer(const char* s) : str(nullptr), len(0), grow(kGrow), cap(0) {
    strDup(s);
}

CTextBuffer::CTextBuffer(const CTextBuffer& other) : str(nullptr), len(0), grow(kGrow), cap(0) {
    strDup(other.str);
}

CTextBuffer::~CTextBuffer() {
    delete[] str;
}

void CTextBuffer::replaceBuffer(char* buffer, int newCap, int newLen) {
    delete[] str;
    str = buffer;
    cap = newCap;
    len = newLen;
}

void CTextBuffer::Empty() {
    if (str) str[0] = 0;
    len = 0;
}

// The new text is copied before the old buffer is freed, so s may point into
// this buffer's own text.
char* CTextBuffer::strDup(const char* s) {
    if (!s) {
        Empty();
        return nullptr;
    }
    int n = textLength(s);
    if (n + 1 > cap) {
        int newCap = n + grow;
        char* buffer = allocBytes(newCap);
        moveBytes(buffer, s, n);
        buffer[n] = 0;
        replaceBuffer(buffer, newCap, n);
    } else {
        moveBytes(str, s, n);
        str[n] = 0;
        len = n;
    }
    return str;
}

// s may be this buffer's own text (b += b).
char* CTextBuffer::strCat(const char* s) {
    int n = textLength(s);
    if (n == 0) return str;
    long long needed = static_cast<long long>(len) + n + 1;
    if (needed > cap) {
        long long newCap = static_cast<long long>(len) + n + grow;
        char* buffer = allocBytes(newCap);
        moveBytes(buffer, str, len);
        moveBytes(buffer + len, s, n);
        buffer[len + n] = 0;
        replaceBuffer(buffer, static_cast<int>(newCap), len + n);
    } else {
        moveBytes(str + len, s, n);
        len += n;
        str[len] = 0;
    }
    return str;
}

CTextBuffer& CTextBuffer::operator=(const char* s) {
    strDup(s);
    return *this;
}

CTextBuffer& CTextBuffer::operator=(char c) {
    char text[2] = {c, 0};
    strDup(text);
    return *this;
}

CTextBuffer& CTextBuffer::operator=(int value) {
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    strDup(text);
    return *this;
}

CTextBuffer& CTextBuffer::operator=(const CTextBuffer& other) {
    strDup(other.str);
    return *this;
}

CTextBuffer& CTextBuffer::operator+=(const char* s) {
    strCat(s);
    return *this;
}

CTextBuffer& CTextBuffer::operator+=(const CTextBuffer& other) {
    strCat(other.str);
    return *this;
}

CTextBuffer& CTextBuffer::operator+=(int value) {
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    strCat(text);
    return *this;
}

CTextBuffer& CTextBuffer::operator+=(char c) {
    if (len + 2 <= cap) {
        str[len] = c;
        str[len + 1] = 0;
    } else {
        char* buffer = allocBytes(len + 2LL);
        moveBytes(buffer, str, len);
        buffer[len] = c;
        buffer[len + 1] = 0;
        replaceBuffer(buffer, len + 2, len);
    }
    if (c) ++len;
    return *this;
}

void CTextBuffer::prependBytes(const char* added, int addedLen) {
    if (addedLen <= 0) return;
    long long result = static_cast<long long>(len) + addedLen;
    long long newCap = result + 1 <= cap ? cap : cap + (addedLen > grow ? addedLen : grow);
    if (newCap < result + 1) newCap = result + 1;
    char* buffer = allocBytes(newCap);
    moveBytes(buffer, added, addedLen);
    moveBytes(buffer + addedLen, str, len);
    buffer[result] = 0;
    replaceBuffer(buffer, static_cast<int>(newCap), static_cast<int>(result));
}

CTextBuffer& CTextBuffer::prepend(const CTextBuffer& other) {
    prependBytes(other.str, other.len);
    return *this;
}

CTextBuffer& CTextBuffer::prepend(const char* s) {
    prependBytes(s, textLength(s));
    return *this;
}

CTextBuffer& CTextBuffer::prepend(char c) {
    prependBytes(&c, c ? 1 : 0);
    return *this;
}

bool CTextBuffer::operator==(const char* s) const {
    return strcasecmp(c_str(), s ? s : "") == 0;
}
bool CTextBuffer::operator==(const CTextBuffer& other) const {
    return strcasecmp(c_str(), other.c_str()) == 0;
}
bool CTextBuffer::operator!=(const char* s) const {
    return !(*this == s);
}
bool CTextBuffer::operator!=(const CTextBuffer& other) const {
    return !(*this == other);
}

bool CTextBuffer::operator==(char c) const {
    return len == 1 && str[0] == c;
}

bool CTextBuffer::operator!=(char c) const {
    return !(len == 1 &&
             tolower(static_cast<unsigned char>(str[0])) == tolower(static_cast<unsigned char>(c)));
}

char CTextBuffer::operator[](int index) const {
    return static_cast<unsigned>(index) < static_cast<unsigned>(len) ? str[index] : 0;
}

void CTextBuffer::toUpper() {
    for (int i = 0; i < len; ++i)
        str[i] = static_cast<char>(toupper(static_cast<unsigned char>(str[i])));
}

void CTextBuffer::toLower() {
    for (int i = 0; i < len; ++i)
        str[i] = static_cast<char>(tolower(static_cast<unsigned char>(str[i])));
}

const char* CTextBuffer::c_str() const {
    return str ? str : "";
}

CTextBuffer::operator char*() {
    if (!str) {
        str = allocBytes(grow);
        str[0] = 0;
        cap = grow;
        len = 0;
    }
    return str;
}

// The result is built apart from the operands, so either may be the shared
// result itself; only the overwriting by the next call remains.
CTextBuffer& operator+(const CTextBuffer& left, const char* right) {
    static CTextBuffer result;
    CTextBuffer sum(left);
    sum.strCat(right);
    result = sum;
    return result;
}

CTextBuffer& operator+(const CTextBuffer& left, char right) {
    static CTextBuffer result;
    CTextBuffer sum(left);
    sum += right;
    result = sum;
    return result;
}

CTextBuffer& operator+(const CTextBuffer& left, const CTextBuffer& right) {
    static CTextBuffer result;
    CTextBuffer sum(left);
    sum.strCat(right.c_str());
    result = sum;
    return result;
}
