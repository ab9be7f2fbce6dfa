// Speed of the connection's input and output paths, each beside a baseline:
// Huffman decoding beside zlib's inflate producing as many bytes, framing and
// dispatch beside a memcpy of the same buffer, and the game-stream cipher
// beside the reference library's Blowfish feedback mode.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <benchmark/benchmark.h>
#include <openssl/blowfish.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <vector>

#include "Platform.h"
#include "net/ClientSock.h"
#include "net/Huffman.h"
#include "net/PacketManager.h"
#include "net/ProtocolKeys.h"
#include "net/StreamCipher.h"
#include "resources/UnicodeSpeech.h"

// No connection is ever lost here, and no speech is shown.
std::atomic<int> g_quitFlag{0};
void HandleConnectionLost(CClientSock*, const char*) {}
void SetServerFeatureFlag(BOOL) {}
void ShowUnicodeSpeech(M_DWORD, int, int, int, int, const char*, const char*, M_WORD*) {}

namespace {

using Bytes = std::vector<M_BYTE>;

// Server-like traffic: small messages of ids, serials, coordinates and text.
Bytes sampleStream(size_t size) {
    std::mt19937 rng(42);
    Bytes out;
    const char* words[] = {"the ", "a ", "sword ", "gold ", "Hail! ", "guard ", "of "};
    while (out.size() < size) {
        out.push_back(0x1A);
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<M_BYTE>(i < 2 ? 0x40 : rng()));
        out.push_back(0);
        out.push_back(static_cast<M_BYTE>(rng() % 16));
        for (int i = 0; i < 3; ++i) {
            const char* w = words[rng() % 7];
            out.insert(out.end(), w, w + strlen(w));
        }
    }
    out.resize(size);
    return out;
}

Bytes huffmanEncode(const Bytes& plain, size_t packetSize) {
    Bytes out;
    M_DWORD acc = 0;
    int bits = 0;
    auto put = [&](int symbol) {
        const HuffmanCode& c = kHuffmanCodes[symbol];
        for (int i = c.bits - 1; i >= 0; --i) {
            acc = acc << 1 | ((c.code >> i) & 1);
            if (++bits == 8) out.push_back(static_cast<M_BYTE>(acc)), acc = 0, bits = 0;
        }
    };
    for (size_t i = 0; i < plain.size(); ++i) {
        put(plain[i]);
        if ((i + 1) % packetSize == 0 || i + 1 == plain.size()) {
            put(kHuffmanEndOfPacket);
            if (bits) out.push_back(static_cast<M_BYTE>(acc << (8 - bits))), acc = 0, bits = 0;
        }
    }
    return out;
}

constexpr size_t kPlainSize = 1 << 20;

void BM_HuffmanDecode(benchmark::State& state) {
    const Bytes plain = sampleStream(kPlainSize);
    const Bytes packed = huffmanEncode(plain, 40);
    Bytes out(65536);
    for (auto _ : state) {
        HuffmanDecoder d;
        size_t at = 0, total = 0;
        while (at < packed.size()) {
            size_t length = 0;
            at += d.Decode(packed.data() + at, packed.size() - at, out.data(), &length, out.size());
            total += length;
            if (length == 0) break;
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_HuffmanDecode);

void BM_ZlibInflateBaseline(benchmark::State& state) {
    const Bytes plain = sampleStream(kPlainSize);
    uLongf packedSize = compressBound(plain.size());
    Bytes packed(packedSize);
    compress2(packed.data(), &packedSize, plain.data(), plain.size(), 6);
    Bytes out(65536);
    for (auto _ : state) {
        z_stream z{};
        inflateInit(&z);
        z.next_in = packed.data();
        z.avail_in = static_cast<uInt>(packedSize);
        size_t total = 0;
        int rc = Z_OK;
        while (rc == Z_OK) {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            rc = inflate(&z, Z_NO_FLUSH);
            total += out.size() - z.avail_out;
        }
        inflateEnd(&z);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_ZlibInflateBaseline);

// A full 64 KB input buffer of 5-byte messages (ids without handlers yet,
// so this measures framing and the dispatch table).
Bytes fullBufferOfSmallMessages() {
    Bytes buffer;
    while (buffer.size() + 5 <= CClientSock::kBufferSize) {
        const M_BYTE m[5] = {0x1D, 0x40, 0x00, 0x01, static_cast<M_BYTE>(buffer.size())};
        buffer.insert(buffer.end(), m, m + 5);
    }
    return buffer;
}

void BM_FrameAndDispatch(benchmark::State& state) {
    const Bytes buffer = fullBufferOfSmallMessages();
    CClientSock sock;
    for (auto _ : state) sock.InjectInputForTests(buffer.data(), buffer.size());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * (buffer.size() / 5)));
    state.counters["ns_per_message"] =
        benchmark::Counter(static_cast<double>(state.iterations() * (buffer.size() / 5)),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FrameAndDispatch);

void BM_MemcpyBaseline(benchmark::State& state) {
    const Bytes buffer = fullBufferOfSmallMessages();
    Bytes copy(buffer.size());
    for (auto _ : state) {
        memcpy(copy.data(), buffer.data(), buffer.size());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * (buffer.size() / 5)));
    state.counters["ns_per_message"] =
        benchmark::Counter(static_cast<double>(state.iterations() * (buffer.size() / 5)),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MemcpyBaseline);

constexpr size_t kCipherSize = 64 * 1024;

void BM_GameStreamEncipher(benchmark::State& state) {
    const Bytes plain = sampleStream(kCipherSize);
    Bytes out(kCipherSize);
    CStreamCipher cipher;
    cipher.Init(1, 1);
    M_DWORD count = 0;
    for (auto _ : state) {
        GameStreamEncipher(&cipher, &count, plain.data(), out.data(), plain.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCipherSize));
}
BENCHMARK(BM_GameStreamEncipher);

void BM_ReferenceCfb64Baseline(benchmark::State& state) {
    const Bytes plain = sampleStream(kCipherSize);
    Bytes out(kCipherSize);
    BF_KEY key;
    BF_set_key(&key, kGameKeyLength, kGameKeys[1]);
    M_BYTE iv[8];
    memcpy(iv, kGameInitTable1[1], 8);
    int num = 0;
    for (auto _ : state) {
        BF_cfb64_encrypt(plain.data(), out.data(), static_cast<long>(plain.size()), &key, iv, &num,
                         BF_ENCRYPT);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCipherSize));
}
BENCHMARK(BM_ReferenceCfb64Baseline);

}  // namespace
