// Arbitrary sequences of the effect, sound, light, clock, weather, sequence
// and target messages, dispatched through the packet table into a live
// world with the real effects, sequences and weather; between messages the
// gumps take frames, so effects fly, arrive and end sequence steps.  Input:
// a flags byte, then messages, each an id choice, a body length and that
// many body bytes (as fuzz_world_messages), and a frame count byte.
#include <cstdint>
#include <vector>

#include "fuzz/MessageFuzz.h"
#include "fuzz/WorldFuzz.h"
#include "gumps/GumpManager.h"
#include "gumps/Sequence.h"
#include "gumps/Weather.h"
#include "net/PacketManager.h"
#include "net/TargetState.h"
#include "net/WorldMessageState.h"
#include "world/MultiTarget.h"
#include "world/Player.h"
#include "world/WeatherManager.h"

namespace {

const M_BYTE kIds[] = {0x70, 0x54, 0x4E, 0x5B, 0x65, 0x7B, 0x6C, 0x99, 0xB4, 0xAA, 0x20, 0x78};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::StartWorld(nullptr, 0);
    PacketManager::reset();
    InstallWorldHandlers();
    worldmsg::reset();
    WeatherManager::startup();
    tw::fuzz::OpStream ops(data, size);
    const unsigned flags = ops.byte();
    pPlayerObject = new CPlayer(1, 400, 0);
    pPlayerObject->ToWorld(Coords(100, 100, 0));
    if (flags & 1) g_multiTarget = new MultiTarget();
    std::vector<M_BYTE> message;
    for (int steps = 0; ops.more() && steps < 200; ++steps) {
        tw::fuzz::DispatchNextMessage(ops, kIds, 1400, message);
        for (unsigned frames = ops.byte() % 40; frames > 0; --frames) {
            CGumpManager::Update();
            WeatherManager::Update();
        }
    }
    WeatherManager::Stop();
    CGumpManager::CloseAllGumps();
    CSequence::reset();
    delete g_multiTarget;
    g_multiTarget = nullptr;
    ResetTargetState();
    tw::fuzz::StopWorld();
    PacketManager::reset();
    return 0;
}
