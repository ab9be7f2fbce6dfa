// The one dispatch of server messages: the packet table names each id's
// handler, so there is no second list to keep in step with it.
#include "TWReport.h"
#include "net/PacketManager.h"

namespace {

// Ids already reported as not handled yet (one line per id and run).
bool g_reportedNotBuilt[kPacketTableSize];
PacketManager::DispatchObserver g_observer = nullptr;

}  // namespace

void PacketManager::Dispatch(const PacketIn& packet) {
    if (g_observer) g_observer(packet);
    unsigned id = packet.id();
    // The framing only hands on ids with a row; anything else is ignored here.
    if (!IsKnownPacket(id) || id < 0x11) return;
    const PacketRow& row = PacketTable[id];
    if (row.handler) {
        row.handler(packet);
        return;
    }
    if (row.fromServer && !g_reportedNotBuilt[id]) {
        g_reportedNotBuilt[id] = true;
        TWReport::notice("PacketManager::Dispatch: message 0x%02X not handled yet.\n", id);
    }
}

void PacketManager::SetDispatchObserverForTests(DispatchObserver observer) {
    g_observer = observer;
}

void PacketManager::reset() {
    for (bool& said : g_reportedNotBuilt) said = false;
    g_observer = nullptr;
}
