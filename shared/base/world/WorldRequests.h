// The client messages the world model sends, and the game connection that
// sends them.  The network layer sits above the world: it implements
// WorldMessages (each message is built and written to the game connection
// at once; nothing leaves before the next poll) and main installs it at
// start-up.  With no connection nothing is sent.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class WorldMessages {
public:
    static constexpr const char* kServiceName = "WorldMessages";
    virtual ~WorldMessages() = default;

    // TRUE while the game connection object exists; the walk code requests
    // nothing without one.
    virtual BOOL HasConnection() = 0;
    // Bulletin board request (message 0x71) with a sub-command.
    virtual void SendBulletinBoardRequest(int subcommand, M_DWORD board, M_DWORD message) = 0;
    // Pick-up request (message 0x07).
    virtual void SendPickupRequest(M_DWORD serial, int amount) = 0;
    // Use request (message 0x06).
    virtual void SendUseRequest(M_DWORD serial) = 0;
    // Secure-trade message (0x6F) with an action and the trade's serial.
    virtual void SendSecureTrade(int action, M_DWORD tradeSerial) = 0;
    // Walk request (0x02): direction (bit 7 running), sequence, walk key.
    virtual void SendMoveRequest(int direction, int sequence, M_DWORD walkKey) = 0;
    // The walk resynchronisation request (0x22).
    virtual void SendMoveAck() = 0;
};

inline void SendBulletinBoardRequest(int subcommand, M_DWORD board, M_DWORD message) {
    tw::Service<WorldMessages>::Get().SendBulletinBoardRequest(subcommand, board, message);
}
inline void SendPickupRequest(M_DWORD serial, int amount) {
    tw::Service<WorldMessages>::Get().SendPickupRequest(serial, amount);
}
inline void SendUseRequest(M_DWORD serial) {
    tw::Service<WorldMessages>::Get().SendUseRequest(serial);
}
inline void SendSecureTrade(int action, M_DWORD tradeSerial) {
    tw::Service<WorldMessages>::Get().SendSecureTrade(action, tradeSerial);
}
