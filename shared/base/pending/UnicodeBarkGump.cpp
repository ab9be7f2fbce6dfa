#include "comm/UnicodeBarkGump.h"
#include "pending/Pending.h"

CUnicodeBarkGump::CUnicodeBarkGump(CDynamicObj*, const M_WORD*, int, int, const char*, CGump*) {
    TW_PENDING("CUnicodeBarkGump::CUnicodeBarkGump");
}
