// The network core's side of the world model: the client messages that the
// world model sends (world/WorldRequests.h) go out on the game connection
// (g_pGameSocket), when there is one.  main installs one at start-up.
#pragma once

#include "world/WorldRequests.h"

class GameConnectionMessages : public WorldMessages {
public:
    BOOL HasConnection() override;
    void SendBulletinBoardRequest(int subcommand, M_DWORD board, M_DWORD message) override;
    void SendPickupRequest(M_DWORD serial, int amount) override;
    void SendUseRequest(M_DWORD serial) override;
    void SendSecureTrade(int action, M_DWORD tradeSerial) override;
    void SendMoveRequest(int direction, int sequence, M_DWORD walkKey) override;
    void SendMoveAck() override;
};
