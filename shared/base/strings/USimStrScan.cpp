// The scanning members of USimStr: they walk a text unit by unit and stop at
// both of its ends, whatever the text holds.
#include <vector>

#include "strings/USimStr.h"
#include "strings/UnicodeString.h"

namespace {

bool inSet(M_WORD c, const M_WORD* set) {
    if (!set || !c) return false;
    for (; *set; ++set)
        if (*set == c) return true;
    return false;
}

// Digits are taken as they stand ("unit - '0'"); the sum wraps instead of
// overflowing on a long run.
int addDigit(int value, M_WORD unit) {
    return static_cast<int>(static_cast<unsigned>(value) * 10u +
                            (static_cast<unsigned>(unit) - '0'));
}

}  // namespace

void USimStr::getAfter(USimStr& out, M_WORD separator) const {
    for (int i = 0; i < len; ++i) {
        if (str[i] == separator) {
            out.strDup(str + i + 1);
            return;
        }
    }
    out.Empty();
}

void USimStr::parseRange(int& a, int& b) const {
    a = b = 0;
    int i = 0;
    while (i < len && str[i] != '[') ++i;
    if (i >= len) return;
    for (++i; i < len && str[i] != '-'; ++i) a = addDigit(a, str[i]);
    if (i >= len) return;
    for (++i; i < len && str[i] != ']'; ++i) b = addDigit(b, str[i]);
}

int USimStr::substitute(const M_WORD* format, M_WORD marker, const M_WORD* replacement) {
    if (!format) return 0;
    // Built apart and appended once: format or replacement may be this
    // string's own text.
    std::vector<M_WORD> out;
    int count = 0;
    for (int i = 0; format[i]; ++i) {
        if (format[i] != '%') {
            out.push_back(format[i]);
            continue;
        }
        M_WORD next = format[i + 1];
        if (!next) break;
        if (next == marker) {
            for (const M_WORD* r = replacement; r && *r; ++r) out.push_back(*r);
            ++count;
        }
        ++i;
    }
    out.push_back(0);
    strCat(out.data());
    return count;
}

bool USimStr::skipUntil(const M_WORD* text, int& pos, int& lines, const M_WORD* set, bool forward) {
    int n = UnicodeStrlen(text);
    while (pos >= 0 && pos < n) {
        if (inSet(text[pos], set)) return true;
        if (text[pos] == '\n') ++lines;
        pos += forward ? 1 : -1;
    }
    return false;
}

bool USimStr::getToken(const M_WORD* text, int& pos, int& lines, USimStr& token,
                       const M_WORD* separators, const M_WORD* stops, bool forward) {
    const int n = UnicodeStrlen(text);
    auto at = [&]() -> M_WORD { return pos >= 0 && pos < n ? text[pos] : 0; };
    auto step = [&]() {
        if (at() == '\n') ++lines;
        pos += forward ? 1 : -1;
    };
    // Collected apart and stored at the end: text may be the token's own
    // buffer.
    std::vector<M_WORD> units;
    auto finish = [&](bool result) {
        units.push_back(0);
        token.strDup(units.data());
        return result;
    };

    M_WORD c;
    while ((c = at()) != 0 && inSet(c, separators)) step();
    if (!c) return finish(false);
    if (inSet(c, stops)) {
        units.push_back(c);
        step();
        return finish(true);
    }

    bool quoted = false;
    while ((c = at()) != 0) {
        if (quoted) {
            step();
            if (c == '"') break;
            units.push_back(c);
        } else if (inSet(c, separators) || inSet(c, stops)) {
            break;
        } else {
            step();
            if (c == '"')
                quoted = true;
            else
                units.push_back(c);
        }
    }
    return finish(true);
}
