// The HTML and mail windows' message store.  Only what its callers use so
// far is declared here (CommService).
#pragma once

#include "comm/Comm.h"

// Deletes every stored message object and resets the count to 0 and the
// current index to -1.
inline void DeleteHtmlMessages() {
    comm::Service().DeleteHtmlMessages();
}
