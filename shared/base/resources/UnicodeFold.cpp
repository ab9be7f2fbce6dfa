// The case fold of wide characters that case-blind comparisons use.
#include "resources/UnicodeFont.h"

namespace {

struct FoldPair {
    M_WORD from;
    M_WORD to;
};

// Capitals outside the two raised ranges, mapped to their small letters:
// those of the Western European set that lie in Latin Extended-A.
constexpr FoldPair kSpecialPairs[] = {
    {0x0152, 0x0153},  // OE ligature
    {0x0160, 0x0161},  // S caron
    {0x0178, 0x00FF},  // Y diaeresis
    {0x017D, 0x017E},  // Z caron
};

}  // namespace

M_WORD UnicodeFold(M_WORD c) {
    for (const FoldPair& pair : kSpecialPairs)
        if (c == pair.from) return pair.to;
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDD)) return static_cast<M_WORD>(c + 32);
    return c;
}
