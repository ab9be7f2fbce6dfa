#include "net/Huffman.h"

#include <bit>
#include <cstdint>
#include <cstring>

// Symbol: bit count and code, symbols 0-256 in order.
const HuffmanCode kHuffmanCodes[kHuffmanSymbols] = {
    {2, 0x000},  {5, 0x01F},  {6, 0x022},  {7, 0x034},  {7, 0x075},  {6, 0x028},  {6, 0x03B},
    {7, 0x032},  {8, 0x0E0},  {8, 0x062},  {7, 0x056},  {8, 0x079},  {9, 0x19D},  {8, 0x097},
    {6, 0x02A},  {7, 0x057},  {8, 0x071},  {8, 0x05B},  {9, 0x1CC},  {8, 0x0A7},  {7, 0x025},
    {7, 0x04F},  {8, 0x066},  {8, 0x07D},  {9, 0x191},  {9, 0x1CE},  {7, 0x03F},  {9, 0x090},
    {8, 0x059},  {8, 0x07B},  {8, 0x091},  {8, 0x0C6},  {6, 0x02D},  {9, 0x186},  {8, 0x06F},
    {9, 0x093},  {10, 0x1CC}, {8, 0x05A},  {10, 0x1AE}, {10, 0x1C0}, {9, 0x148},  {9, 0x14A},
    {9, 0x082},  {10, 0x19F}, {9, 0x171},  {9, 0x120},  {9, 0x0E7},  {10, 0x1F3}, {9, 0x14B},
    {9, 0x100},  {9, 0x190},  {6, 0x013},  {9, 0x161},  {9, 0x125},  {9, 0x133},  {9, 0x195},
    {9, 0x173},  {9, 0x1CA},  {9, 0x086},  {9, 0x1E9},  {9, 0x0DB},  {9, 0x1EC},  {9, 0x08B},
    {9, 0x085},  {5, 0x00A},  {8, 0x096},  {8, 0x09C},  {9, 0x1C3},  {9, 0x19C},  {9, 0x08F},
    {9, 0x18F},  {9, 0x091},  {9, 0x087},  {9, 0x0C6},  {9, 0x177},  {9, 0x089},  {9, 0x0D6},
    {9, 0x08C},  {9, 0x1EE},  {9, 0x1EB},  {9, 0x084},  {9, 0x164},  {9, 0x175},  {9, 0x1CD},
    {8, 0x05E},  {9, 0x088},  {9, 0x12B},  {9, 0x172},  {9, 0x10A},  {9, 0x08D},  {9, 0x13A},
    {9, 0x11C},  {10, 0x1E1}, {10, 0x1E0}, {9, 0x187},  {10, 0x1DC}, {10, 0x1DF}, {7, 0x074},
    {9, 0x19F},  {8, 0x08D},  {8, 0x0E4},  {7, 0x079},  {9, 0x0EA},  {9, 0x0E1},  {8, 0x040},
    {7, 0x041},  {9, 0x10B},  {9, 0x0B0},  {8, 0x06A},  {8, 0x0C1},  {7, 0x071},  {7, 0x078},
    {8, 0x0B1},  {9, 0x14C},  {7, 0x043},  {8, 0x076},  {7, 0x066},  {7, 0x04D},  {9, 0x08A},
    {6, 0x02F},  {8, 0x0C9},  {9, 0x0CE},  {9, 0x149},  {9, 0x160},  {10, 0x1BA}, {10, 0x19E},
    {10, 0x39F}, {9, 0x0E5},  {9, 0x194},  {9, 0x184},  {9, 0x126},  {7, 0x030},  {8, 0x06C},
    {9, 0x121},  {9, 0x1E8},  {10, 0x1C1}, {10, 0x11D}, {10, 0x163}, {10, 0x385}, {10, 0x3DB},
    {10, 0x17D}, {10, 0x106}, {10, 0x397}, {10, 0x24E}, {7, 0x02E},  {8, 0x098},  {10, 0x33C},
    {10, 0x32E}, {10, 0x1E9}, {9, 0x0BF},  {10, 0x3DF}, {10, 0x1DD}, {10, 0x32D}, {10, 0x2ED},
    {10, 0x30B}, {10, 0x107}, {10, 0x2E8}, {10, 0x3DE}, {10, 0x125}, {10, 0x1E8}, {9, 0x0E9},
    {10, 0x1CD}, {10, 0x1B5}, {9, 0x165},  {10, 0x232}, {10, 0x2E1}, {11, 0x3AE}, {11, 0x3C6},
    {11, 0x3E2}, {10, 0x205}, {10, 0x29A}, {10, 0x248}, {10, 0x2CD}, {10, 0x23B}, {11, 0x3C5},
    {10, 0x251}, {10, 0x2E9}, {10, 0x252}, {9, 0x1EA},  {11, 0x3A0}, {11, 0x391}, {10, 0x23C},
    {11, 0x392}, {11, 0x3D5}, {10, 0x233}, {10, 0x2CC}, {11, 0x390}, {10, 0x1BB}, {11, 0x3A1},
    {11, 0x3C4}, {10, 0x211}, {10, 0x203}, {9, 0x12A},  {10, 0x231}, {11, 0x3E0}, {10, 0x29B},
    {11, 0x3D7}, {10, 0x202}, {11, 0x3AD}, {10, 0x213}, {10, 0x253}, {10, 0x32C}, {10, 0x23D},
    {10, 0x23F}, {10, 0x32F}, {10, 0x11C}, {10, 0x384}, {10, 0x31C}, {10, 0x17C}, {10, 0x30A},
    {10, 0x2E0}, {10, 0x276}, {10, 0x250}, {11, 0x3E3}, {10, 0x396}, {10, 0x18F}, {10, 0x204},
    {10, 0x206}, {10, 0x230}, {10, 0x265}, {10, 0x212}, {10, 0x23E}, {11, 0x3AC}, {11, 0x393},
    {11, 0x3E1}, {10, 0x1DE}, {11, 0x3D6}, {10, 0x31D}, {11, 0x3E5}, {11, 0x3E4}, {10, 0x207},
    {11, 0x3C7}, {10, 0x277}, {11, 0x3D4}, {8, 0x0C0},  {10, 0x162}, {10, 0x3DA}, {10, 0x124},
    {10, 0x1B4}, {10, 0x264}, {10, 0x33D}, {10, 0x1D1}, {10, 0x1AF}, {10, 0x39E}, {10, 0x24F},
    {11, 0x373}, {10, 0x249}, {11, 0x372}, {9, 0x167},  {10, 0x210}, {10, 0x23A}, {10, 0x1B8},
    {11, 0x3AF}, {10, 0x18E}, {10, 0x2EC}, {7, 0x062},  {4, 0x00D},
};

namespace {

// One table entry: the symbol in the low 9 bits, the code's length above.
using Entry = std::uint16_t;
constexpr int kSymbolBits = 9;
constexpr Entry kSymbolMask = (1u << kSymbolBits) - 1;

constexpr int kWindow = 1 << kHuffmanMaxBits;

// Built once for the program: every 11-bit window names the code it begins
// with.  2048 entries of 2 bytes stay in the first-level cache.
const Entry* decodeTable() {
    static const Entry* table = [] {
        static Entry t[kWindow];
        for (int s = 0; s < kHuffmanSymbols; ++s) {
            int free = kHuffmanMaxBits - kHuffmanCodes[s].bits;
            M_DWORD first = kHuffmanCodes[s].code << free;
            for (M_DWORD i = 0; i < (1u << free); ++i)
                t[first + i] = static_cast<Entry>(s | kHuffmanCodes[s].bits << kSymbolBits);
        }
        return t;
    }();
    return table;
}

// The 11 bits from bit position pos on, zeros past the end of the input.
inline unsigned window(const M_BYTE* in, size_t length, size_t pos) {
    size_t byte = pos >> 3;
    M_DWORD bits;
    if (byte + 2 < length) {
        bits = M_DWORD(in[byte]) << 16 | M_DWORD(in[byte + 1]) << 8 | in[byte + 2];
    } else {
        bits = M_DWORD(in[byte]) << 16;
        if (byte + 1 < length) bits |= M_DWORD(in[byte + 1]) << 8;
    }
    return (bits >> (24 - kHuffmanMaxBits - (pos & 7))) & (kWindow - 1);
}

// Eight input bytes as one big-endian number: the first bit on the wire on top.
inline std::uint64_t load64(const M_BYTE* in) {
    std::uint64_t v;
    std::memcpy(&v, in, sizeof v);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

// Codes decoded from one 8-byte load: after an offset of up to 7 bits it
// still holds 57 bits, room for five of the longest codes.
constexpr int kCodesPerLoad = 5;

}  // namespace

size_t HuffmanDecoder::Decode(const M_BYTE* input, size_t inputLength, M_BYTE* output,
                              size_t* outputLength, size_t outputCapacity) {
    const Entry* table = decodeTable();
    const size_t totalBits = inputLength * 8;
    size_t pos = static_cast<size_t>(bitPosition_);
    size_t out = *outputLength;
    // The bulk of the stream: every code read here lies wholly inside the
    // 8 bytes loaded, so neither the end of the input nor a cut code needs a
    // check, and there is room for all five symbols.
    while (out + kCodesPerLoad <= outputCapacity && (pos >> 3) + 8 <= inputLength) {
        std::uint64_t bits = load64(input + (pos >> 3)) << (pos & 7);
        size_t used = 0;
        bool endOfPacket = false;
        for (int k = 0; k < kCodesPerLoad; ++k) {
            const Entry e = table[bits >> (64 - kHuffmanMaxBits)];
            const unsigned length = e >> kSymbolBits;
            bits <<= length;
            used += length;
            if ((e & kSymbolMask) == kHuffmanEndOfPacket) {
                endOfPacket = true;
                break;
            }
            output[out++] = static_cast<M_BYTE>(e);
        }
        pos += used;
        if (endOfPacket) pos = (pos + 7) & ~size_t{7};
    }
    // The last bytes of the input (or of the output room), code by code.
    while (out < outputCapacity && pos < totalBits) {
        const Entry e = table[window(input, inputLength, pos)];
        const unsigned length = e >> kSymbolBits;
        if (length > totalBits - pos) break;  // cut by the end of the input
        pos += length;
        if ((e & kSymbolMask) == kHuffmanEndOfPacket)
            pos = (pos + 7) & ~size_t{7};
        else
            output[out++] = static_cast<M_BYTE>(e);
    }
    *outputLength = out;
    if (pos > totalBits) pos = totalBits;
    bitPosition_ = static_cast<int>(pos & 7);
    return pos >> 3;
}
