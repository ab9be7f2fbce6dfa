// The one dispatch of server messages: the packet table names each id's
// handler, so there is no second list to keep in step with it.
#include "TWReport.h"
#include "net/PacketManager.h"

namespace {

// Ids already reported as not handled yet (one line per id and run).
bool g_reportedNotBuilt[kPacketTableSize];
// Handlers installed at start-up; an id without one falls back to its row.
PacketHandler g_installed[kPacketTableSize];
PacketManager::DispatchObserver g_observer = nullptr;

}  // namespace

void PacketManager::Dispatch(const PacketIn& packet) {
    if (g_observer) g_observer(packet);
    unsigned id = packet.id();
    // The framing only hands on ids with a row; anything else is ignored here.
    if (!IsKnownPacket(id) || id < 0x11) return;
    const PacketRow& row = PacketTable[id];
    PacketHandler handler = g_installed[id] != nullptr ? g_installed[id] : row.handler;
    if (handler != nullptr) {
        handler(packet);
        return;
    }
    if (row.fromServer && !g_reportedNotBuilt[id]) {
        g_reportedNotBuilt[id] = true;
        TWReport::notice("PacketManager::Dispatch: message 0x%02X not handled yet.\n", id);
    }
}

void PacketManager::SetHandler(unsigned id, PacketHandler handler) {
    if (!IsKnownPacket(id)) return;
    g_installed[id] = handler;
    g_reportedNotBuilt[id] = false;
}

PacketHandler PacketManager::GetHandler(unsigned id) {
    if (!IsKnownPacket(id)) return nullptr;
    return g_installed[id] != nullptr ? g_installed[id] : PacketTable[id].handler;
}

void PacketManager::SetDispatchObserverForTests(DispatchObserver observer) {
    g_observer = observer;
}

void PacketManager::reset() {
    for (bool& said : g_reportedNotBuilt) said = false;
    for (PacketHandler& handler : g_installed) handler = nullptr;
    g_observer = nullptr;
}
