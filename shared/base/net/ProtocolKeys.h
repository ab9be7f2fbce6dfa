// The protocol key material of the client stream (values in
// ProtocolKeys.cpp; they must match the server in use).
#pragma once

#include "TWTypes.h"

constexpr int kGameKeyCount = 25;
constexpr int kGameKeyLength = 6;

extern const M_BYTE kGameKeys[kGameKeyCount][kGameKeyLength];
// Initialisation blocks of the two directions, one per key.
extern const M_BYTE kGameInitTable1[kGameKeyCount][16];
extern const M_BYTE kGameInitTable2[kGameKeyCount][16];
// Login stream: four 16-bit constants that the seed's halves are XORed with,
// and the two 32-bit constants of the register step.
extern const M_WORD kLoginSeedConstants[4];
extern const M_DWORD kLoginStepConstants[2];
