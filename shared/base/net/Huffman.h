// Huffman decoding of the server stream in game mode.
//
// The code is part of the protocol: 257 symbols, the 256 byte values and
// symbol 256, which ends one compressed packet (the rest of that input byte
// is padding).  Codes are 2 to 11 bits, most significant bit first on the
// wire.  The code is complete, so every 11-bit window starts with exactly one
// code: decoding looks each window up in one program-wide table instead of
// walking a tree bit by bit, five codes from each 8-byte load of the input
// while the input lasts.
#pragma once

#include <cstddef>

#include "TWTypes.h"

struct HuffmanCode {
    int bits;      // 2-11
    M_DWORD code;  // bits (bits - 1) down to 0 go out in that order
};

constexpr int kHuffmanSymbols = 257;
constexpr int kHuffmanEndOfPacket = 256;
constexpr int kHuffmanMaxBits = 11;

extern const HuffmanCode kHuffmanCodes[kHuffmanSymbols];

// The decoding state of one connection: where in its first input byte the
// next undecoded bit lies.  Reset when a connection or game mode starts.
class HuffmanDecoder {
public:
    void Reset() { bitPosition_ = 0; }
    int BitPosition() const { return bitPosition_; }

    // Decodes input[0, inputLength) from the saved bit position, appending
    // to output until outputCapacity bytes are there or the input ends.  A
    // code cut by the end of the input is decoded again from its first bit
    // next time.  Returns the number of whole input bytes consumed; the
    // caller removes them, and the bit position keeps only its offset.
    size_t Decode(const M_BYTE* input, size_t inputLength, M_BYTE* output, size_t* outputLength,
                  size_t outputCapacity);

private:
    int bitPosition_ = 0;
};
