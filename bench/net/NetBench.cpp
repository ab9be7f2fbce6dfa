// Speed of the connection's input and output paths, each beside a baseline:
// Huffman decoding beside zlib's inflate of the same bytes (Huffman codes
// only, and the default level), framing and dispatch beside a loop that only
// cuts the same bytes by the same lengths, and the game-stream cipher and the
// raw Blowfish block and feedback modes beside the reference library's.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <benchmark/benchmark.h>
#include <openssl/blowfish.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "BenchScratch.h"
#include "Platform.h"
#include "comm/UnicodeSpeech.h"
#include "net/Blowfish.h"
#include "net/ClientSock.h"
#include "net/Huffman.h"
#include "net/PacketManager.h"
#include "net/PacketTable.h"
#include "net/ProtocolKeys.h"
#include "net/StreamCipher.h"

// No connection is ever lost here, and no speech is shown.
std::atomic<int> g_quitFlag{0};
void HandleConnectionLost(CClientSock*, const char*) {}
void SetServerFeatureFlag(BOOL) {}
void ShowUnicodeSpeech(M_DWORD, int, int, int, int, const char*, const char*, M_WORD*) {}

namespace {

// The connection logs to a file in the working folder: keep it in the
// scratch folder.
const std::string& kScratch = tw::bench::EnterScratchDir();

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
        if (total != plain.size()) state.SkipWithError("the decoder lost bytes");
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_HuffmanDecode);

Bytes zlibCompress(const Bytes& plain, int strategy) {
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, strategy);
    Bytes packed(deflateBound(&z, plain.size()));
    z.next_in = const_cast<M_BYTE*>(plain.data());
    z.avail_in = static_cast<uInt>(plain.size());
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
    deflateEnd(&z);
    return packed;
}

// The same plain bytes through zlib: arg 0 Huffman codes only (what the
// game stream is), 1 the default level with string matching.
void BM_ZlibInflateBaseline(benchmark::State& state) {
    const Bytes plain = sampleStream(kPlainSize);
    const bool huffmanOnly = state.range(0) == 0;
    const Bytes packed = zlibCompress(plain, huffmanOnly ? Z_HUFFMAN_ONLY : Z_DEFAULT_STRATEGY);
    state.SetLabel(huffmanOnly ? "Z_HUFFMAN_ONLY" : "default level");
    Bytes out(65536);
    for (auto _ : state) {
        z_stream z{};
        inflateInit(&z);
        z.next_in = const_cast<M_BYTE*>(packed.data());
        z.avail_in = static_cast<uInt>(packed.size());
        size_t total = 0;
        int rc = Z_OK;
        while (rc == Z_OK) {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            rc = inflate(&z, Z_NO_FLUSH);
            total += out.size() - z.avail_out;
        }
        inflateEnd(&z);
        if (total != plain.size()) state.SkipWithError("zlib lost bytes");
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_ZlibInflateBaseline)->Arg(0)->Arg(1);

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

// The least framing can do: each message's length by its id from the same
// table, and a call through a table of functions per message.
void ignoreMessage(const M_BYTE* message, size_t length) {
    benchmark::DoNotOptimize(message);
    benchmark::DoNotOptimize(length);
}

void BM_SplitByLengthsBaseline(benchmark::State& state) {
    const Bytes buffer = fullBufferOfSmallMessages();
    size_t lengths[256] = {};
    void (*handlers[256])(const M_BYTE*, size_t);
    for (int id = 0; id < 256; ++id) {
        lengths[id] = IsKnownPacket(id) && !IsVariablePacket(id) ? FixedPacketLength(id) : 1;
        handlers[id] = ignoreMessage;
    }
    benchmark::DoNotOptimize(handlers);
    for (auto _ : state) {
        for (size_t at = 0; at + 2 <= buffer.size();) {
            const M_BYTE id = buffer[at];
            const size_t length = lengths[id];
            if (at + length > buffer.size()) break;
            handlers[id](buffer.data() + at, length);
            at += length;
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * (buffer.size() / 5)));
    state.counters["ns_per_message"] =
        benchmark::Counter(static_cast<double>(state.iterations() * (buffer.size() / 5)),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SplitByLengthsBaseline);

constexpr size_t kCipherSize = 64 * 1024;

BF_KEY referenceKey() {
    BF_KEY key;
    BF_set_key(&key, kGameKeyLength, kGameKeys[1]);
    return key;
}

BlowfishSchedule ourSchedule() {
    BlowfishSchedule schedule;
    BlowfishInit(&schedule, kGameKeyLength, kGameKeys[1]);
    return schedule;
}

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
    BF_KEY key = referenceKey();
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

// Raw Blowfish, one 8-byte block at a time (the game key's schedule).
void BM_BlowfishEcb(benchmark::State& state) {
    const Bytes plain = sampleStream(kCipherSize);
    Bytes out(kCipherSize);
    const BlowfishSchedule schedule = ourSchedule();
    for (auto _ : state) {
        for (size_t at = 0; at < kCipherSize; at += 8) {
            const M_BYTE* in = plain.data() + at;
            M_DWORD left =
                M_DWORD(in[0]) << 24 | M_DWORD(in[1]) << 16 | M_DWORD(in[2]) << 8 | in[3];
            M_DWORD right =
                M_DWORD(in[4]) << 24 | M_DWORD(in[5]) << 16 | M_DWORD(in[6]) << 8 | in[7];
            BlowfishEncipher(&left, &right, &schedule, kBlowfishEncipher);
            M_BYTE* o = out.data() + at;
            for (int i = 0; i < 4; ++i) {
                o[i] = static_cast<M_BYTE>(left >> (24 - 8 * i));
                o[4 + i] = static_cast<M_BYTE>(right >> (24 - 8 * i));
            }
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCipherSize));
}
BENCHMARK(BM_BlowfishEcb);

void BM_ReferenceEcbBaseline(benchmark::State& state) {
    const Bytes plain = sampleStream(kCipherSize);
    Bytes out(kCipherSize);
    const BF_KEY key = referenceKey();
    for (auto _ : state) {
        for (size_t at = 0; at < kCipherSize; at += 8)
            BF_ecb_encrypt(plain.data() + at, out.data() + at, &key, BF_ENCRYPT);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCipherSize));
}
BENCHMARK(BM_ReferenceEcbBaseline);

// Raw 64-bit cipher feedback, without the game stream's re-keying.
void BM_BlowfishCfb64(benchmark::State& state) {
    const Bytes plain = sampleStream(kCipherSize);
    Bytes out(kCipherSize);
    const BlowfishSchedule schedule = ourSchedule();
    M_BYTE feedback[8];
    memcpy(feedback, kGameInitTable1[1], 8);
    int position = 0;
    for (auto _ : state) {
        BlowfishCfb64(plain.data(), out.data(), kCipherSize, &schedule, feedback, &position,
                      kBlowfishEncipher);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCipherSize));
}
BENCHMARK(BM_BlowfishCfb64);

}  // namespace
