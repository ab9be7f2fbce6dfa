// The reply to the server's text prompt.

#include "net/ClientSock.h"
#include "net/ConnectionEvents.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "net/ServerPrompt.h"

ServerPrompt g_serverPrompt;

void SendPromptReply(CInputWindow* inputLine, int replyType, const M_WORD* text) {
    // The reply travels as 8-bit text: only the characters below 128 go.
    char reply[PDSTRUCT::kCapacity / 2];
    size_t n = 0;
    for (const M_WORD* u = text; u && *u && n + 1 < sizeof reply; ++u)
        if (*u < 128) reply[n++] = static_cast<char>(*u);
    reply[n] = 0;
    if (g_pGameSocket) {
        PDSTRUCT packet;
        PacketManager::Build9a(&packet, g_serverPrompt.serial, g_serverPrompt.id,
                               static_cast<M_DWORD>(replyType), reply);
        g_pGameSocket->Write(&packet);
    }
    g_serverPrompt.pending = FALSE;
    if (inputLine) net::Windows().SetMode(inputLine, 0);
    net::Windows().UpdatePrompt(inputLine);
}
