// The client messages the world model sends: each is built and written to
// the game connection at once (nothing leaves before the next poll).  With
// no connection nothing is sent.
#pragma once

#include "TWTypes.h"

// Bulletin board request (message 0x71) with a sub-command.
void SendBulletinBoardRequest(int subcommand, M_DWORD board, M_DWORD message);
// Pick-up request (message 0x07).
void SendPickupRequest(M_DWORD serial, int amount);
// Use request (message 0x06).
void SendUseRequest(M_DWORD serial);
// Secure-trade message (0x6F) with an action and the trade's serial.
void SendSecureTrade(int action, M_DWORD tradeSerial);
