// Dispatching a recorded stream of 100,000 world messages (items entering,
// mobiles entering with equipment and moving, objects leaving) through the
// framing into their handlers and the world model, beside the framing of
// the same stream with no handler installed.
#include <benchmark/benchmark.h>

#include <vector>

#include "ByteWriter.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/WorldMessageState.h"
#include "support/doubles/RecordingWorldMessages.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace {

constexpr M_DWORD kItem = 0x40000000;
constexpr int kMessages = 100000;

using Bytes = std::vector<M_BYTE>;

// One message written into the stream; a variable-length id gets its length.
class StreamWriter {
public:
    explicit StreamWriter(Bytes& out) : out_(out), w_(out) {}
    ByteWriter& begin(M_BYTE id) {
        end();
        start_ = out_.size();
        variable_ = IsVariablePacket(id);
        w_.u8(id);
        if (variable_) w_.u16be(0);
        return w_;
    }
    void end() {
        if (variable_) w_.patchU16be(start_ + 1, static_cast<unsigned>(out_.size() - start_));
        variable_ = false;
    }

private:
    Bytes& out_;
    ByteWriter w_;
    size_t start_ = 0;
    bool variable_ = false;
};

// The stream, cut into buffers of whole messages that fit the connection's
// input buffer.  Serials cycle, so the world stays round a thousand objects.
std::vector<Bytes> RecordedStream() {
    std::vector<Bytes> chunks(1);
    for (int i = 0; i < kMessages; ++i) {
        Bytes message;
        StreamWriter s(message);
        const int item = i % 800, mobile = i % 150;
        const int x = 980 + (i * 7) % 40, y = 980 + (i * 13) % 40;
        switch (i % 10) {
            case 0:
            case 1:
            case 2:
            case 3:  // an item enters (or is placed again)
                s.begin(0x1A)
                    .u32be(kItem | M_DWORD(1 + item))
                    .u16be(100 + item % 50)
                    .u16be(x)
                    .u16be(y)
                    .u8(0);
                break;
            case 4:
            case 5:
            case 6:  // a mobile moves
                s.begin(0x77)
                    .u32be(M_DWORD(100 + mobile))
                    .u16be(400)
                    .u16be(x)
                    .u16be(y)
                    .u8(0)
                    .u8(i % 8)
                    .u16be(0)
                    .u8(0)
                    .u8(1);
                break;
            case 7:  // a mobile enters with two worn items
                s.begin(0x78)
                    .u32be(M_DWORD(100 + mobile))
                    .u16be(400)
                    .u16be(x)
                    .u16be(y)
                    .u8(0)
                    .u8(2)
                    .u16be(0)
                    .u8(0)
                    .u8(1)
                    .u32be(kItem | M_DWORD(2000 + mobile * 2))
                    .u16be(5399 | 0x8000)
                    .u8(5)
                    .u16be(3)
                    .u32be(kItem | M_DWORD(2001 + mobile * 2))
                    .u16be(5400)
                    .u8(6)
                    .u32be(0);
                break;
            case 8:  // an item leaves
                s.begin(0x1D).u32be(kItem | M_DWORD(1 + (item + 400) % 800));
                break;
            case 9:  // a mobile leaves
                s.begin(0x1D).u32be(M_DWORD(100 + (mobile + 75) % 150));
                break;
        }
        s.end();
        if (chunks.back().size() + message.size() > CClientSock::kBufferSize) chunks.emplace_back();
        chunks.back().insert(chunks.back().end(), message.begin(), message.end());
    }
    return chunks;
}

void StartWorld() {
    CObjectManager::reset();
    CObjectManager::startup();
    pPlayerObject = new CPlayer(1, 400, 0);
    pPlayerObject->ToWorld(Coords(1000, 1000, 0));
}

void Run(benchmark::State& state, bool handlers) {
    static const std::vector<Bytes> stream = RecordedStream();
    static tw::doubles::RecordingWorldMessages& upper = *new tw::doubles::RecordingWorldMessages;
    PacketManager::reset();
    if (handlers) InstallWorldHandlers();
    StartWorld();
    CClientSock sock;
    for (auto _ : state) {
        for (const Bytes& chunk : stream) sock.InjectInputForTests(chunk.data(), chunk.size());
        upper.calls.clear();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kMessages);
    state.counters["ns_per_message"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kMessages,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    CObjectManager::reset();
    PacketManager::reset();
}

void BM_DispatchWorldMessages(benchmark::State& state) {
    Run(state, true);
}
BENCHMARK(BM_DispatchWorldMessages)->Unit(benchmark::kMillisecond);

void BM_FramingAloneBaseline(benchmark::State& state) {
    Run(state, false);
}
BENCHMARK(BM_FramingAloneBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
