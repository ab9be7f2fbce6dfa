#include "comm/Chat.h"

#include "net/Packet.h"
#include "pending/Pending.h"

// Leaves the packet unbuilt, so the connection refuses it.
void SendChatOpen(PDSTRUCT* buffer, const M_WORD*) {
    TW_PENDING("SendChatOpen");
    if (buffer) buffer->valid = false;
}
