// Builds the world model's client messages and hands them to the game
// connection.
#include "world/WorldRequests.h"

#include "net/ClientSock.h"
#include "net/PacketManager.h"

namespace {

// One packet at a time: the record is 64 KB, too large for the stack.
PDSTRUCT& Scratch() {
    static PDSTRUCT packet;
    return packet;
}

void Send(PDSTRUCT& packet) {
    if (g_pGameSocket) g_pGameSocket->Write(&packet);
}

}  // namespace

void SendBulletinBoardRequest(int subcommand, M_DWORD board, M_DWORD message) {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildBboard(&p, static_cast<M_BYTE>(subcommand), board, message);
    Send(p);
}

void SendPickupRequest(M_DWORD serial, int amount) {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildPickup(&p, serial, static_cast<M_WORD>(amount));
    Send(p);
}

void SendUseRequest(M_DWORD serial) {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildUseObject(&p, serial);
    Send(p);
}

void SendSecureTrade(int action, M_DWORD tradeSerial) {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildSecureTrade(&p, static_cast<M_BYTE>(action), tradeSerial, 0, 0);
    Send(p);
}
