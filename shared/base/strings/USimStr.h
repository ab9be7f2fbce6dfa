// USimStr: the client's growable, owned string of M_WORD units.
//
// The buffer is always terminated and holds at least len + 1 units.  `cap` is
// what the buffer was last sized to by a duplicate or a concatenation, so a
// string made from a byte string (cap 0) reallocates on its first growth.
// The growth step is 1: every growth allocates exactly what is needed.
//
// A string made from a null text has no buffer; it reads as empty
// everywhere, and only startsWith/isPrefixOf tell it apart (they answer
// false).  Every member accepts its own text (or a part of it) as argument.
// Allocation failure ends the process with an assertion naming the member.
#pragma once

#include "TWTypes.h"

class USimStr {
public:
    USimStr();
    USimStr(const char* bytes);
    USimStr(M_WORD c);
    USimStr(const M_WORD* s);
    USimStr(const USimStr& other);
    ~USimStr();

    M_WORD* strDup(const M_WORD* s);
    M_WORD* strDup(const M_WORD* s, int n);
    M_WORD* strCat(const M_WORD* s);
    void Empty();
    void empty() { Empty(); }

    USimStr& operator=(const M_WORD* s);
    USimStr& operator=(const USimStr& other);
    USimStr& operator=(M_WORD c);
    USimStr& operator=(int value);

    USimStr& operator+=(const M_WORD* s);
    USimStr& operator+=(const USimStr& other);
    USimStr& operator+=(M_WORD c);
    USimStr& operator+=(int value);
    USimStr& operator+=(unsigned value);
    USimStr& operator+=(float value);

    USimStr& prepend(const USimStr& other);
    USimStr& prepend(const M_WORD* s);
    USimStr& prepend(M_WORD c);

    // Up to count units from start, into a result shared by every call.
    USimStr& substring(int start, int count) const;

    // Equality ignores the case of 'A'-'Z'; ordering is case-sensitive.
    bool operator==(const USimStr& other) const;
    bool operator==(const M_WORD* s) const;
    bool operator!=(const USimStr& other) const;
    bool operator!=(const M_WORD* s) const;
    bool operator<(const USimStr& other) const;
    bool operator<(const M_WORD* s) const;
    bool operator<=(const USimStr& other) const;
    bool operator<=(const M_WORD* s) const;
    bool operator>(const USimStr& other) const;
    bool operator>(const M_WORD* s) const;
    bool operator>=(const USimStr& other) const;
    bool operator>=(const M_WORD* s) const;
    // True when the text is exactly that one unit.
    bool operator==(M_WORD c) const;
    // False only when the text is that one unit, letter case aside.
    bool operator!=(M_WORD c) const;

    // The unit, or 0 past the end (a negative index included).
    M_WORD operator[](int index) const;

    // The text; a string without buffer gives an empty text (the writable
    // forms give it a buffer first).
    const M_WORD* c_str() const;
    operator const M_WORD*() const { return c_str(); }
    operator M_WORD*();
    M_WORD* getBuffer();

    int length() const { return len; }
    void toUpper();
    void toLower();
    int toInt() const;
    bool isEmpty() const;
    bool isAllDigits() const;
    bool contains(M_WORD c) const;
    int removeTrailing(M_WORD c);
    void getAfter(USimStr& out, M_WORD separator) const;
    // "[a-b]": a and b as decimal digits; 0 where absent.
    void parseRange(int& a, int& b) const;
    bool startsWith(const char* bytes) const;
    bool isPrefixOf(const char* bytes) const;

    // Appends format, a '%' followed by marker standing for replacement; a
    // '%' followed by anything else is dropped with it.  Returns how many
    // markers were replaced.
    int substitute(const M_WORD* format, M_WORD marker, const M_WORD* replacement);

    // Steps pos through text (forward or backward) until the unit at pos is
    // in set; false when the text ends first.  Line feeds passed are counted.
    static bool skipUntil(const M_WORD* text, int& pos, int& lines, const M_WORD* set,
                          bool forward);
    // Reads the next token: separators are skipped, a stop unit is a token by
    // itself, double quotes enclose a token that may hold separators and stops.
    // False when the text ended before any token unit.
    static bool getToken(const M_WORD* text, int& pos, int& lines, USimStr& token,
                         const M_WORD* separators, const M_WORD* stops, bool forward);

private:
    void replaceBuffer(M_WORD* buffer, int newCap, int newLen);
    void prependUnits(const M_WORD* added, int addedLen, unsigned line, const char* function);

    M_WORD* str;
    int len;
    int grow;
    int cap;
};

// Each returns its own result string, shared by every call of that operator:
// the next call overwrites it.
USimStr& operator+(const USimStr& left, const M_WORD* right);
USimStr& operator+(const USimStr& left, M_WORD right);
USimStr& operator+(const USimStr& left, const USimStr& right);
