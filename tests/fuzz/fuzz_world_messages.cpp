// Arbitrary sequences of the world's server messages, dispatched through
// the packet table into a live world model with the services the program
// installs above it.  Input: a flags byte, then messages, each an id choice,
// a body length and that many body bytes; the body goes after the id (and
// the length field of a variable-length id) exactly as framed.
#include <cstdint>
#include <vector>

#include "config/Config.h"
#include "fuzz/MessageFuzz.h"
#include "fuzz/WorldFuzz.h"
#include "net/PacketManager.h"
#include "net/WorldMessageState.h"
#include "world/Player.h"

namespace {

const M_BYTE kIds[] = {0x1A, 0x1D, 0x77, 0x78, 0x2E, 0x25, 0x3C, 0x89, 0x27, 0x28,
                       0x2F, 0x24, 0x23, 0x1B, 0x76, 0x20, 0x21, 0x22, 0x38, 0x15,
                       0x39, 0x2C, 0x11, 0x2D, 0xA1, 0xA2, 0xA3, 0x3A, 0xBF, 0x41,
                       0x3B, 0x90, 0x3F, 0x40, 0x43, 0x44, 0x57, 0x72, 0xAF, 0x3E};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::StartWorld(nullptr, 0);
    PacketManager::reset();
    InstallWorldHandlers();
    worldmsg::reset();
    tw::fuzz::OpStream ops(data, size);
    const unsigned flags = ops.byte();
    // Tile-data updates act only for an editing server; they write
    // "tiledata.mul" in the scratch directory.
    EditServerAddress = (flags & 1) ? 0x7F000001 : 0;
    if (flags & 2) {
        pPlayerObject = new CPlayer(1, 400, 0);
        pPlayerObject->ToWorld(Coords(100, 100, 0));
    }
    std::vector<M_BYTE> message;
    for (int steps = 0; ops.more() && steps < 200; ++steps) {
        tw::fuzz::DispatchNextMessage(ops, kIds, 1400, message);
    }
    EditServerAddress = 0;
    tw::fuzz::StopWorld();
    PacketManager::reset();
    return 0;
}
