#include "WorldTestSupport.h"

#include "Clock.h"
#include "FileManager.h"
#include "config/Config.h"
#include "gumps/WorldGumps.h"
#include "net/PacketTable.h"
#include "world/MoveManager.h"
#include "world/Obj.h"
#include "world/PathManager.h"

namespace tw::test {

namespace {
const bool registered = [] {
    AddServiceReset([] {
        CObjectManager::reset();
        PathManager::reset();
        MoveManager::reset();
        g_frameTime = 0;
        g_wallTime = 0;
        Footsteps = TRUE;
        ResetGumpFramework();
        g_pGameSocket = nullptr;
    });
    return true;
}();
}  // namespace

void WorldTest::SetUp() {
    TwTest::SetUp();
    FileManager::startup();
}

void WorldTest::StartWorld() {
    tw::datafiles::WriteBytes("tiledata.mul", tiles.bytes());
    CObjectManager::startup();
}

CPlayer* WorldTest::MakePlayer(int x, int y, int body, M_DWORD serial) {
    pPlayerObject = new CPlayer(serial, body, 0);
    pPlayerObject->ToWorld(Coords(static_cast<short>(x), static_cast<short>(y), 0));
    return pPlayerObject;
}

CDynamicObj* WorldTest::PlaceItem(M_DWORD serial, int graphic, int x, int y, int z, int amount) {
    CObjectManager::HandleMove(serial, graphic, 0, amount, x, y, z, 0, 0, 0);
    return CObjectManager::FindObject(serial);
}

CMobile* WorldTest::PlaceMobile(M_DWORD serial, int body, int x, int y, int z, int direction) {
    CObjectManager::HandleMove(serial, body, 0, 0, x, y, z, direction, 0, 0);
    return static_cast<CMobile*>(CObjectManager::FindObject(serial));
}

void WorldTest::Frame(M_DWORD now) {
    g_frameTime = now;
    CObjectManager::UpdateMovement();
}

std::vector<std::vector<unsigned char>> SentPackets(const CClientSock& connection) {
    std::vector<std::vector<unsigned char>> packets;
    const M_BYTE* bytes = connection.PendingOutput();
    const size_t length = connection.OutputLength();
    for (size_t at = 0; at < length;) {
        const unsigned id = bytes[at];
        size_t size = 1;
        if (IsKnownPacket(id))
            size = IsVariablePacket(id) && at + 3 <= length
                       ? static_cast<size_t>(bytes[at + 1] << 8 | bytes[at + 2])
                       : FixedPacketLength(id);
        if (size == 0 || at + size > length) size = length - at;
        packets.emplace_back(bytes + at, bytes + at + size);
        at += size;
    }
    return packets;
}

}  // namespace tw::test
