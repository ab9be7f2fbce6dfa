// UDP ping of the game servers of the server list.  Every server gets one
// 40-byte datagram per round for 20 rounds; each reply names its server and
// round, and the server's result is the sum of its round-trip times.
//
// Datagram, sent and echoed back unchanged:
//   0  u16 big-endian  the ping port
//   2  i8              server index in the list
//   3  i8              round 0..19
//   4  36 bytes        zero
#pragma once

#include "TWTypes.h"

constexpr int PING_PORT = 12000;
constexpr int PING_ROUNDS = 20;
constexpr int PING_DATAGRAM_SIZE = 40;
constexpr M_DWORD PING_MISSING_ROUND_MS = 200;
// The index byte is signed: servers beyond this many cannot be named.
constexpr int PING_MAX_SERVERS = 128;

// Fills results[i] (milliseconds over all rounds, at most 65535) for each of
// the count servers at addresses[i] (IPv4, host order).  A round without a
// valid reply counts 200 ms, so a server that never answers gets 4000.
// Blocks for at most the send and receive time-outs.
void PingServers(int count, const M_DWORD* addresses, M_WORD* results);

// The client always pings with the fixed values below.  Tests move the ports
// off 12000 (the reply comes from a responder bound elsewhere on loopback)
// and shorten the waits.
struct PingSettings {
    int localPort = PING_PORT;   // bound on any address; 0 lets the system choose
    int serverPort = PING_PORT;  // sent to on every server
    M_DWORD sendTimeoutMs = 4000;
    M_DWORD receiveTimeoutMs = 8000;
};
void SetPingSettingsForTests(const PingSettings& settings);
void ResetPingSettings();
