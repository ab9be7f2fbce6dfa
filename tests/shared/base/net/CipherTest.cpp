#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "net/Blowfish.h"
#include "net/ProtocolKeys.h"
#include "net/StreamCipher.h"
#include "support/TwTest.h"

namespace {

using Bytes = std::vector<M_BYTE>;

class CipherTest : public tw::test::TwTest {};

Bytes randomBytes(std::mt19937& rng, size_t n) {
    Bytes out(n);
    for (auto& b : out) b = static_cast<M_BYTE>(rng());
    return out;
}

// Bailey-Borwein-Plouffe: the fraction of 16^d * sum(16^-k / (8k + j)).
long double bbpSeries(int j, long d) {
    long double sum = 0;
    for (long k = 0; k <= d; ++k) {
        unsigned long m = 8 * k + j;
        unsigned long r = 1 % m, base = 16 % m;
        for (long e = d - k; e > 0; e >>= 1) {
            if (e & 1) r = r * base % m;
            base = base * base % m;
        }
        sum += static_cast<long double>(r) / m;
        sum -= std::floor(sum);
    }
    for (long k = d + 1; k <= d + 20; ++k)
        sum += std::pow(16.0L, static_cast<long double>(d - k)) / (8 * k + j);
    return sum - std::floor(sum);
}

// Eight hexadecimal digits of pi's fraction starting at digit d.
M_DWORD piWordAt(long d) {
    long double x = 4 * bbpSeries(1, d) - 2 * bbpSeries(4, d) - bbpSeries(5, d) - bbpSeries(6, d);
    x -= std::floor(x);
    return static_cast<M_DWORD>(std::ldexp(x, 32));
}

TEST_F(CipherTest, InitialTablesAreTheHexDigitsOfPi) {
    for (int i = 0; i < kBlowfishScheduleWords; ++i)
        ASSERT_EQ(kBlowfishPiWords[i], piWordAt(8L * i)) << "word " << i;
}

TEST_F(CipherTest, BlockCipherMatchesTheReferenceLibrary) {
    std::mt19937 rng(1234);
    for (int keyLength : {1, 4, 6, 16, 56, 72, 80}) {
        SCOPED_TRACE(keyLength);
        Bytes key = randomBytes(rng, keyLength);
        BlowfishSchedule ours;
        BlowfishInit(&ours, keyLength, key.data());
        BF_KEY theirs;
        BF_set_key(&theirs, keyLength, key.data());
        for (int n = 0; n < 50; ++n) {
            M_DWORD l = rng(), r = rng();
            BF_LONG block[2] = {l, r};
            BF_encrypt(block, &theirs);
            M_DWORD el = l, er = r;
            BlowfishEncipher(&el, &er, &ours, kBlowfishEncipher);
            ASSERT_EQ(el, block[0]);
            ASSERT_EQ(er, block[1]);
            BlowfishEncipher(&el, &er, &ours, kBlowfishDecipher);
            ASSERT_EQ(el, l);
            ASSERT_EQ(er, r);
        }
    }
}

TEST_F(CipherTest, FeedbackModeMatchesTheReferenceLibraryAcrossCalls) {
    std::mt19937 rng(99);
    for (int trial = 0; trial < 20; ++trial) {
        Bytes key = randomBytes(rng, 6);
        Bytes iv = randomBytes(rng, 8);
        Bytes data = randomBytes(rng, 1 + rng() % 3000);
        BF_KEY theirs;
        BF_set_key(&theirs, 6, key.data());
        Bytes expected(data.size());
        Bytes theirIv = iv;
        int theirNum = 0;
        BF_cfb64_encrypt(data.data(), expected.data(), static_cast<long>(data.size()), &theirs,
                         theirIv.data(), &theirNum, BF_ENCRYPT);

        BlowfishSchedule ours;
        BlowfishInit(&ours, 6, key.data());
        Bytes got(data.size()), feedback = iv;
        int position = 0;
        // Arbitrary pieces: the register and position carry over.
        for (size_t at = 0; at < data.size();) {
            size_t n = std::min<size_t>(data.size() - at, rng() % 20);
            BlowfishCfb64(data.data() + at, got.data() + at, n, &ours, feedback.data(), &position,
                          kBlowfishEncipher);
            at += n;
        }
        ASSERT_EQ(got, expected);
        ASSERT_EQ(position, theirNum);

        Bytes back(data.size()), feedback2 = iv;
        int position2 = 0;
        BlowfishCfb64(got.data(), back.data(), got.size(), &ours, feedback2.data(), &position2,
                      kBlowfishDecipher);
        ASSERT_EQ(back, data);
    }
}

// Enciphers with a cipher that is never re-keyed.
Bytes encipherUnder(int direction, int key, const M_BYTE* data, size_t n) {
    CStreamCipher c;
    c.Init(direction, key);
    Bytes out(n);
    c.Encipher(data, out.data(), n);
    return out;
}

TEST_F(CipherTest, GameStreamCarriesItsPositionBetweenCalls) {
    std::mt19937 rng(5);
    Bytes data = randomBytes(rng, 10);
    CStreamCipher split;
    split.Init(1, 1);
    Bytes out(10);
    split.Encipher(data.data(), out.data(), 5);
    split.Encipher(data.data() + 5, out.data() + 5, 5);
    EXPECT_EQ(out, encipherUnder(1, 1, data.data(), 10));
    // And it is Blowfish feedback under key 1 from the first table's block.
    BlowfishSchedule s;
    BlowfishInit(&s, kGameKeyLength, kGameKeys[1]);
    M_BYTE feedback[8];
    memcpy(feedback, kGameInitTable1[1], 8);
    int position = 0;
    Bytes reference(10);
    BlowfishCfb64(data.data(), reference.data(), 10, &s, feedback, &position, kBlowfishEncipher);
    EXPECT_EQ(out, reference);
}

TEST_F(CipherTest, GameStreamReKeysExactlyAtEachBoundary) {
    std::mt19937 rng(77);
    const size_t L = kGameRekeyInterval;
    Bytes data = randomBytes(rng, 50000);

    // Exactly one interval, then one byte more.
    CStreamCipher c;
    c.Init(1, 1);
    M_DWORD count = 0;
    Bytes out(L + 1);
    GameStreamEncipher(&c, &count, data.data(), out.data(), L);
    EXPECT_EQ(c.keyIndex, 1);
    EXPECT_EQ(count, L);
    GameStreamEncipher(&c, &count, data.data() + L, out.data() + L, 1);
    EXPECT_EQ(c.keyIndex, 4);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + L), encipherUnder(1, 1, data.data(), L));
    EXPECT_EQ(out[L], encipherUnder(0, 4, data.data() + L, 1)[0]);

    // 50000 bytes at once: two re-keys, each segment under its own key.
    CStreamCipher big;
    big.Init(1, 1);
    count = 0;
    Bytes all(50000);
    GameStreamEncipher(&big, &count, data.data(), all.data(), all.size());
    EXPECT_EQ(big.keyIndex, 7);
    EXPECT_EQ(count, 50000 - 2 * L);
    Bytes expected = encipherUnder(1, 1, data.data(), L);
    Bytes second = encipherUnder(0, 4, data.data() + L, L);
    Bytes third = encipherUnder(0, 7, data.data() + 2 * L, 50000 - 2 * L);
    expected.insert(expected.end(), second.begin(), second.end());
    expected.insert(expected.end(), third.begin(), third.end());
    EXPECT_EQ(all, expected);
}

TEST_F(CipherTest, KeysFollowTheirFixedOrderAndLargeIndexesWrap) {
    CStreamCipher c;
    c.Init(1, 1);
    M_DWORD count = 0;
    std::vector<int> seen;
    Bytes chunk(kGameRekeyInterval), out(kGameRekeyInterval);
    for (int i = 0; i < 12; ++i) {
        GameStreamEncipher(&c, &count, chunk.data(), out.data(), 1);
        seen.push_back(c.keyIndex);
        GameStreamEncipher(&c, &count, chunk.data(), out.data(), kGameRekeyInterval - 1);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 4, 7, 10, 2, 5, 8, 0, 3, 6, 9, 1}));

    c.Init(0, 25);
    EXPECT_EQ(c.keyIndex, 0);
    EXPECT_EQ(0, memcmp(c.block1, kGameInitTable2[0], 16));
    EXPECT_EQ(0, memcmp(c.block0, kGameInitTable1[0], 16));
    c.Init(1, 26);
    EXPECT_EQ(c.keyIndex, 1);
    EXPECT_EQ(0, memcmp(c.block1, kGameInitTable1[1], 16));
}

TEST_F(CipherTest, LoginStreamFollowsItsRegisters) {
    const M_DWORD seed = 0x7F000001;
    CLoginStream s;
    s.Derive(seed);
    // A: seed's low half, complement's low half on top; B: complement's high
    // half on top, seed's high half below; each half XORed with its constant.
    EXPECT_EQ(s.A(),
              M_DWORD(0xFFFE ^ kLoginSeedConstants[1]) << 16 | (0x0001 ^ kLoginSeedConstants[0]));
    EXPECT_EQ(s.B(),
              M_DWORD(0x80FF ^ kLoginSeedConstants[2]) << 16 | (0x7F00 ^ kLoginSeedConstants[3]));

    // Registers as one 64-bit value stepped bit by bit, a second way to the
    // same stream.
    uint64_t a = s.A(), b = s.B();
    for (int i = 0; i < 64; ++i) {
        M_BYTE in = static_cast<M_BYTE>(i * 37);
        ASSERT_EQ(s.Apply(in), static_cast<M_BYTE>(in ^ (a & 0xFF))) << i;
        uint64_t aBit = a & 1, bBit = b & 1;
        uint64_t nb = ((b >> 1) | (aBit << 31)) ^ kLoginStepConstants[0];
        nb = ((nb >> 1) | (aBit << 31)) ^ kLoginStepConstants[0];
        a = (((a >> 1) | (bBit << 31)) ^ kLoginStepConstants[1]) & 0xFFFFFFFF;
        b = nb & 0xFFFFFFFF;
    }
}

}  // namespace
