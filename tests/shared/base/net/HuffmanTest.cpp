#include <random>
#include <vector>

#include "net/Huffman.h"
#include "support/LoopbackServer.h"
#include "support/TwTest.h"

namespace {

using tw::test::Bytes;
using tw::test::HuffmanEncode;

class HuffmanTest : public tw::test::TwTest {};

// Feeds the pieces to the decoder as the connection does: whole consumed
// bytes leave the input, the rest waits for the next piece.
Bytes decodePieces(const std::vector<Bytes>& pieces, size_t capacity = 65536) {
    HuffmanDecoder decoder;
    Bytes input, output;
    std::vector<M_BYTE> buffer(capacity);
    for (const Bytes& piece : pieces) {
        input.insert(input.end(), piece.begin(), piece.end());
        for (;;) {
            size_t length = 0;
            size_t used =
                decoder.Decode(input.data(), input.size(), buffer.data(), &length, capacity);
            input.erase(input.begin(), input.begin() + used);
            output.insert(output.end(), buffer.begin(), buffer.begin() + length);
            if (length < capacity) break;
        }
    }
    return output;
}

TEST_F(HuffmanTest, RandomStreamsRoundTripWhereverTheyAreCut) {
    std::mt19937 rng(2024);
    for (int trial = 0; trial < 5; ++trial) {
        Bytes plain, stream;
        for (int m = 0; m < 12; ++m) {
            Bytes message(1 + rng() % 40);
            for (auto& b : message) b = static_cast<M_BYTE>(rng());
            plain.insert(plain.end(), message.begin(), message.end());
            Bytes packed = HuffmanEncode(message);
            stream.insert(stream.end(), packed.begin(), packed.end());
        }
        for (size_t cut = 0; cut <= stream.size(); ++cut) {
            Bytes a(stream.begin(), stream.begin() + cut), b(stream.begin() + cut, stream.end());
            ASSERT_EQ(decodePieces({a, b}), plain) << "cut at " << cut;
        }
        // Many small pieces, and an output buffer far smaller than the stream.
        std::vector<Bytes> pieces;
        for (size_t at = 0; at < stream.size();) {
            size_t n = std::min<size_t>(stream.size() - at, rng() % 4);
            pieces.emplace_back(stream.begin() + at, stream.begin() + at + n);
            at += n;
        }
        ASSERT_EQ(decodePieces(pieces, 7), plain);
    }
}

// A long stream of messages whose padding after each end-of-packet code is
// random, fed one byte at a time (so split at every byte boundary), and
// with output room that runs out at every few bytes.
TEST_F(HuffmanTest, StreamSplitAtEveryByteBoundaryDecodesAsAWhole) {
    std::mt19937 rng(77);
    Bytes plain, stream;
    for (int m = 0; m < 200; ++m) {
        Bytes message(1 + rng() % 60);
        // Mostly small values, as the stream carries, with every length of
        // code now and then.
        for (auto& b : message) b = static_cast<M_BYTE>(rng() % 4 ? rng() % 32 : rng());
        plain.insert(plain.end(), message.begin(), message.end());
        Bytes packed = HuffmanEncode(message);
        int used = kHuffmanCodes[kHuffmanEndOfPacket].bits;
        for (M_BYTE b : message) used += kHuffmanCodes[b].bits;
        if (used % 8) packed.back() |= static_cast<M_BYTE>(rng() & (0xFF >> (used % 8)));
        stream.insert(stream.end(), packed.begin(), packed.end());
    }
    std::vector<Bytes> bytes;
    for (M_BYTE b : stream) bytes.push_back({b});
    for (size_t capacity : {1, 4, 5, 6, 13, 65536}) {
        EXPECT_EQ(decodePieces(bytes, capacity), plain) << "output room " << capacity;
        EXPECT_EQ(decodePieces({stream}, capacity), plain) << "whole, output room " << capacity;
    }
}

TEST_F(HuffmanTest, EveryByteValueHasItsOwnCode) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<M_BYTE>(i);
    EXPECT_EQ(decodePieces({HuffmanEncode(all)}), all);
}

TEST_F(HuffmanTest, BitsAfterTheEndOfAPacketAreSkipped) {
    // "A" then end-of-packet leaves padding in the last byte; fill it with
    // ones, which would otherwise start further codes.
    Bytes first = HuffmanEncode({0x41});
    Bytes second = HuffmanEncode({0x42, 0x43});
    int used = kHuffmanCodes[0x41].bits + kHuffmanCodes[kHuffmanEndOfPacket].bits;
    ASSERT_NE(used % 8, 0);
    first.back() |= static_cast<M_BYTE>(0xFF >> (used % 8));
    Bytes stream = first;
    stream.insert(stream.end(), second.begin(), second.end());
    EXPECT_EQ(decodePieces({stream}), (Bytes{0x41, 0x42, 0x43}));
}

}  // namespace
