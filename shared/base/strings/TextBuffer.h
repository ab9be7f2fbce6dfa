// CTextBuffer: the 8-bit twin of USimStr, a growable, owned, terminated char
// string.  It grows by 64 bytes at a time and compares text with strcasecmp.
//
// A default-constructed buffer has no storage; it reads as empty everywhere.
// Every member accepts its own text (or a part of it) as argument.
#pragma once

class CTextBuffer {
public:
    CTextBuffer();
    CTextBuffer(char c);
    CTextBuffer(const char* s);
    CTextBuffer(const CTextBuffer& other);
    ~CTextBuffer();

    char* strDup(const char* s);
    char* strCat(const char* s);
    void Empty();

    CTextBuffer& operator=(const char* s);
    CTextBuffer& operator=(char c);
    CTextBuffer& operator=(int value);
    CTextBuffer& operator=(const CTextBuffer& other);

    CTextBuffer& operator+=(const char* s);
    CTextBuffer& operator+=(const CTextBuffer& other);
    CTextBuffer& operator+=(int value);
    CTextBuffer& operator+=(char c);

    CTextBuffer& prepend(const CTextBuffer& other);
    CTextBuffer& prepend(const char* s);
    CTextBuffer& prepend(char c);

    // Equality ignores letter case.
    bool operator==(const char* s) const;
    bool operator==(const CTextBuffer& other) const;
    bool operator!=(const char* s) const;
    bool operator!=(const CTextBuffer& other) const;
    // True when the text is exactly that one char.
    bool operator==(char c) const;
    // False only when the text is that one char, letter case aside.
    bool operator!=(char c) const;

    // The char, or 0 past the end (a negative index included).
    char operator[](int index) const;

    void toUpper();
    void toLower();

    // The text; a buffer without storage gives an empty text (the writable
    // form gives it storage first).
    const char* c_str() const;
    operator const char*() const { return c_str(); }
    operator char*();

    int length() const { return len; }

private:
    void replaceBuffer(char* buffer, int newCap, int newLen);
    void prependBytes(const char* added, int addedLen);

    char* str;
    int len;
    int grow;
    int cap;
};

// Each returns its own result buffer, shared by every call of that operator:
// the next call overwrites it.
CTextBuffer& operator+(const CTextBuffer& left, const char* right);
CTextBuffer& operator+(const CTextBuffer& left, char right);
CTextBuffer& operator+(const CTextBuffer& left, const CTextBuffer& right);
