// Small M_WORD text routines of the Unicode text windows: numbers, HTML
// colours and the lower-case mapping.
#include "resources/UnicodeFont.h"

namespace {

int HexDigit(M_WORD c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Digits in the base from the start; '-' flips the sign, '+' is passed over,
// anything else ends the number.  Sums wrap instead of overflowing.
int ParseNumber(const M_WORD* text, unsigned base) {
    unsigned value = 0;
    bool negative = false;
    for (; text && *text; ++text) {
        if (*text == '-') {
            negative = !negative;
            continue;
        }
        if (*text == '+') continue;
        const int d = HexDigit(*text);
        if (d < 0 || static_cast<unsigned>(d) >= base) break;
        value = value * base + static_cast<unsigned>(d);
    }
    return static_cast<int>(negative ? 0u - value : value);
}

M_WORD Upper(M_WORD c) {
    return c >= 'a' && c <= 'z' ? static_cast<M_WORD>(c - 32) : c;
}

struct NamedColour {
    const char* name;
    int colour;
};

// Black is 1, not 0: 0 is transparent.
const NamedColour kColours[] = {
    {"BLACK", 0x0001},      {"RED", 0x7C00},       {"LIME", 0x03E0},        {"BLUE", 0x001F},
    {"YELLOW", 0x7FE0},     {"MAGENTA", 0x7C1F},   {"FUCHSIA", 0x7C1F},     {"CYAN", 0x03FF},
    {"AQUA", 0x03FF},       {"WHITE", 0x7BDE},     {"DARKRED", 0x3C00},     {"MAROON", 0x3C00},
    {"GREEN", 0x01E0},      {"DARKGREEN", 0x0168}, {"DARKBLUE", 0x000F},    {"NAVY", 0x000F},
    {"DARKYELLOW", 0x3DE0}, {"OLIVE", 0x3DE0},     {"DARKMAGENTA", 0x3C0F}, {"PURPLE", 0x3C0F},
    {"DARKCYAN", 0x01EF},   {"TEAL", 0x01EF},      {"GRAY", 0x3DEF},        {"GREY", 0x3DEF},
};

const M_WORD kLowerCase[][2] = {
    {0x80, 0xC7}, {0x81, 0xFC}, {0x82, 0xE9}, {0x83, 0xE3}, {0x84, 0xE4},
    {0x85, 0xE0}, {0x87, 0xE7}, {0x88, 0xEA}, {0x89, 0xEB}, {0x8A, 0xE8},
    {0x8B, 0xEF}, {0x8C, 0xEE}, {0x8E, 0xC4}, {0x90, 0xEB}, {0x93, 0xF4},
    {0x94, 0xF6}, {0x96, 0xFB}, {0x97, 0xF9}, {0x99, 0xD6}, {0x9A, 0xDC},
};

}  // namespace

int ParseUnicodeNumber(const M_WORD* text) {
    return ParseNumber(text, 16);
}

int ParseHTMLColor(const M_WORD* text) {
    if (!text) return -1;
    if (text[0] >= '0' && text[0] <= '9') return ParseNumber(text, 10);
    if (text[0] == '#') {
        const unsigned v = static_cast<unsigned>(ParseNumber(text + 1, 16));
        return static_cast<int>(((v & 0xFF0000) >> 6) + ((v & 0xFF00) >> 3) + (v & 0xFF));
    }
    return -1;
}

int LookupHTMLColorName(const M_WORD* text) {
    if (!text) return -1;
    for (const NamedColour& entry : kColours) {
        int i = 0;
        while (entry.name[i] && text[i] && Upper(text[i]) == entry.name[i]) ++i;
        if (!entry.name[i] && !text[i]) return entry.colour;
    }
    return -1;
}

M_WORD UnicodeMapChar(M_WORD c) {
    for (const auto& pair : kLowerCase)
        if (pair[0] == c) {
            c = pair[1];
            break;
        }
    if ((c >= 0x41 && c <= 0x5A) || (c >= 0xC0 && c <= 0xDD)) return static_cast<M_WORD>(c + 32);
    if (c >= 0x100 && c <= 0x176) return static_cast<M_WORD>(c | 1);
    if (c >= 0x179 && c <= 0x17D) return static_cast<M_WORD>((c + 1) & ~1);
    return c;
}
