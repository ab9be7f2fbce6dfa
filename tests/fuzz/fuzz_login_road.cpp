// Arbitrary sequences of the login road's server messages, dispatched
// through the packet table into the real handlers and tables, with a
// recording double as the login screens.  Input: a flags byte (bit 0: the
// character selection is open, bit 1: the account login is open, bit 2: on
// a game server, bit 3: an editing server is set), then messages, each an id
// choice, a body length and that many body bytes, framed as in
// fuzz_world_messages.  The relay (0x8C) is left out: it opens connections.
#include <cstdint>
#include <vector>

#include "config/Config.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/MessageFuzz.h"
#include "fuzz/WorldFuzz.h"
#include "login/LoginRoad.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/doubles/RecordingConnection.h"
#include "support/doubles/RecordingLoginScreens.h"

namespace {

const M_BYTE kIds[] = {0x82, 0xA8, 0x53, 0x81, 0xA9, 0x86, 0x85};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    tw::doubles::RecordingConnection connection;
    tw::doubles::RecordingLoginScreens screens;
    PacketManager::reset();
    InstallLoginHandlers();
    tw::fuzz::OpStream ops(data, size);
    const unsigned flags = ops.byte();
    if (flags & 1) screens.open |= kLoginCharSelectGump;
    if (flags & 2) screens.open |= kLoginAcctGump;
    login::g_road.onGameServer = (flags & 4) != 0;
    EditServerAddress = (flags & 8) ? 0x7F000001 : 0;
    std::vector<M_BYTE> message;
    for (int steps = 0; ops.more() && steps < 100; ++steps) {
        tw::fuzz::DispatchNextMessage(ops, kIds, 20000, message);
        screens.calls.clear();
    }
    EditServerAddress = 0;
    PacketManager::reset();
    return 0;
}
