// The world model's client messages, built and written to the game
// connection (world/WorldRequests.h).
#include "net/WorldMessages.h"

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

BOOL GameConnectionMessages::HasConnection() {
    return g_pGameSocket != nullptr;
}

void GameConnectionMessages::SendBulletinBoardRequest(int subcommand, M_DWORD board,
                                                      M_DWORD message) {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildBboard(&p, static_cast<M_BYTE>(subcommand), board, message);
    Send(p);
}

void GameConnectionMessages::SendPickupRequest(M_DWORD serial, int amount) {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildPickup(&p, serial, static_cast<M_WORD>(amount));
    Send(p);
}

void GameConnectionMessages::SendUseRequest(M_DWORD serial) {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildUseObject(&p, serial);
    Send(p);
}

void GameConnectionMessages::SendSecureTrade(int action, M_DWORD tradeSerial) {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildSecureTrade(&p, static_cast<M_BYTE>(action), tradeSerial, 0, 0);
    Send(p);
}

void GameConnectionMessages::SendMoveRequest(int direction, int sequence, M_DWORD walkKey) {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildMoveRequest(&p, static_cast<M_BYTE>(direction),
                                    static_cast<M_BYTE>(sequence), walkKey);
    Send(p);
}

void GameConnectionMessages::SendMoveAck() {
    PDSTRUCT& p = Scratch();
    PacketManager::BuildMoveAck(&p);
    Send(p);
}
