// Arbitrary sequences of the login road's server messages and the small
// messages that end it (combatant, light level, arrow, popup help, login
// complete), dispatched through the packet table into the real handlers and
// tables, with recording doubles as the login screens and the windows of
// entering the world.  Input: a flags byte (bit 0: the character selection
// is open, bit 1: the account login is open, bit 2: on a game server, bit 3:
// an editing server is set, bit 4: the front end holds the login completion
// back, bit 5: the player exists with serial 1), then messages, each an id
// choice, a body length and that many body bytes, framed as in
// fuzz_world_messages.  The relay (0x8C) is left out: it opens connections.
#include <cstdint>
#include <vector>

#include "app/SmallMessages.h"
#include "config/Config.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/MessageFuzz.h"
#include "fuzz/WorldFuzz.h"
#include "gumps/Gump.h"
#include "login/LoginRoad.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/doubles/RecordingConnection.h"
#include "support/doubles/RecordingLoginScreens.h"
#include "support/doubles/RecordingWorldEntry.h"
#include "world/Player.h"

namespace {

const M_BYTE kIds[] = {0x82, 0xA8, 0x53, 0x81, 0xA9, 0x86, 0x85,
                       0x30, 0x31, 0x45, 0x4F, 0x55, 0xB7, 0xBA};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::StartWorld(nullptr, 0);
    tw::doubles::RecordingConnection connection;
    tw::doubles::RecordingLoginScreens screens;
    tw::doubles::RecordingWorldEntry entry;
    PacketManager::reset();
    InstallLoginHandlers();
    InstallSmallMessageHandlers();
    tw::fuzz::OpStream ops(data, size);
    const unsigned flags = ops.byte();
    if (flags & 1) screens.open |= kLoginCharSelectGump;
    if (flags & 2) screens.open |= kLoginAcctGump;
    login::g_road.onGameServer = (flags & 4) != 0;
    EditServerAddress = (flags & 8) ? 0x7F000001 : 0;
    entry.defer = (flags & 16) ? TRUE : FALSE;
    if (flags & 32) pPlayerObject = new CPlayer(1, 400, 0);
    std::vector<M_BYTE> message;
    for (int steps = 0; ops.more() && steps < 100; ++steps) {
        tw::fuzz::DispatchNextMessage(ops, kIds, 20000, message);
        screens.calls.clear();
        entry.calls.clear();
        entry.popupTexts.clear();
    }
    delete PopupHelpGump();
    EditServerAddress = 0;
    tw::fuzz::StopWorld();
    PacketManager::reset();
    return 0;
}
