#include "comm/BarkGump.h"
#include "pending/Pending.h"

CBarkGump::CBarkGump(CObj*, const char*, M_WORD, M_WORD, CGump* parentGump, int) {
    TW_PENDING("CBarkGump::CBarkGump");
    parent = parentGump;
}
