#include "gumps/Sequence.h"
#include "pending/Pending.h"

BOOL g_sequencing = FALSE;
CSequence* g_currentSequence = nullptr;

void CSequence::AddPacket(CSequence*, int, const M_BYTE*, int) {
    TW_PENDING("CSequence::AddPacket");
}
