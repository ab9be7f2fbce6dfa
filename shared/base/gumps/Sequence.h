// CSequence: a recorded list of effects, sounds and animations that plays
// as one.  Only what its callers use so far is declared here; it is not
// built yet (GumpService, gumps/Gump.h).
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class CSequence {
public:
    // Record kinds.
    static constexpr int ANIMATION_RECORD = 7;

    // Appends a copy of a record of that kind.
    static void AddPacket(CSequence* sequence, int kind, const M_BYTE* bytes, int length) {
        tw::Service<GumpService>::Get().AddPacket(sequence, kind, bytes, length);
    }
};

// Set while a sequence is being recorded; the recorded sequence.
extern BOOL g_sequencing;
extern CSequence* g_currentSequence;
