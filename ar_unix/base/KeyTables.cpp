// The key tables: the client's virtual-key codes of X keysyms, one table for
// keysyms 0x00-0xFF (A) and one for 0xFF00-0xFFFF (B).  The event pump and
// the macro reader both translate keys through them.
#include <cstring>
#include <initializer_list>

#include "FrameBuf.h"

M_DWORD g_keyTableA[256];
M_DWORD g_keyTableB[256];

namespace {

struct TableBEntry {
    unsigned int keysym;
    M_DWORD code;
};

// Keysyms 0xFF00-0xFFFF that have a code; every other entry stays 0.
constexpr TableBEntry kTableB[] = {
    {0xFF08, 8},   {0xFF09, 9},   {0xFF0B, 12},  {0xFF0D, 13},  {0xFF0F, 144}, {0xFF13, 19},
    {0xFF14, 145}, {0xFF1B, 27},  {0xFF50, 36},  {0xFF51, 37},  {0xFF52, 38},  {0xFF53, 39},
    {0xFF54, 40},  {0xFF55, 33},  {0xFF56, 34},  {0xFF57, 35},  {0xFF61, 42},  {0xFF63, 45},
    {0xFF8D, 108}, {0xFF95, 36},  {0xFF96, 37},  {0xFF97, 38},  {0xFF98, 39},  {0xFF99, 40},
    {0xFF9A, 33},  {0xFF9B, 34},  {0xFF9C, 35},  {0xFF9D, 101}, {0xFF9E, 96},  {0xFF9F, 110},
    {0xFFAA, 106}, {0xFFAB, 107}, {0xFFAD, 109}, {0xFFAE, 110}, {0xFFAF, 111}, {0xFFE1, 16},
    {0xFFE2, 16},  {0xFFE3, 17},  {0xFFE4, 17},  {0xFFE5, 20},  {0xFFE9, 18},  {0xFFEA, 18},
    {0xFFFF, 46},
};

}  // namespace

void InitKeyTables() {
    std::memset(g_keyTableA, 0, sizeof g_keyTableA);
    std::memset(g_keyTableB, 0, sizeof g_keyTableB);
    for (unsigned char c : {' ', ',', '-', '.', '/', ';', '=', '[', '\\', ']', '`'})
        g_keyTableA[c] = c;
    for (int c = '0'; c <= '9'; ++c) g_keyTableA[c] = static_cast<M_DWORD>(c);
    // Letters are looked up by their unshifted keysym and give the
    // upper-case code; upper-case keysyms themselves have no code.
    for (int c = 'a'; c <= 'z'; ++c) g_keyTableA[c] = static_cast<M_DWORD>(c - 'a' + 'A');
    for (const TableBEntry& entry : kTableB) g_keyTableB[entry.keysym & 0xFF] = entry.code;
    for (unsigned f = 0; f < 12; ++f) g_keyTableB[0xBE + f] = 112 + f;  // F1-F12
}

M_DWORD TranslateKeySym(unsigned long keysym) {
    if (keysym < 0x100) return g_keyTableA[keysym];
    if (keysym >= 0xFF00 && keysym <= 0xFFFF) return g_keyTableB[keysym & 0xFF];
    return 0;
}
