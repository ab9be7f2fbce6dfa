#include "comm/MailGumps.h"

#include "pending/Pending.h"

void OpenHelpMailGump(int, const M_WORD*, const M_WORD*, int, int, const M_WORD*, int,
                      const M_WORD*, const M_WORD*, const M_WORD*) {
    TW_PENDING("OpenHelpMailGump");
}
