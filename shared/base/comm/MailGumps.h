// The mail windows of the message service.  Only what their callers use so
// far is declared here (CommService).
#pragma once

#include "comm/Comm.h"

// Opens the help-mail window built from the help-mail arguments (flags a, b
// and c, recipient address and name, use-account flag, subject, body, the
// window argument and the sender id text).
inline void OpenHelpMailGump(int flagA, const M_WORD* recipient, const M_WORD* recipientName,
                             int useAccount, int flagB, const M_WORD* subject, int flagC,
                             const M_WORD* body, const M_WORD* windowArgument,
                             const M_WORD* senderId) {
    comm::Service().OpenHelpMailGump(flagA, recipient, recipientName, useAccount, flagB, subject,
                                     flagC, body, windowArgument, senderId);
}
