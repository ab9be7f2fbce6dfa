// Writing the client's Unicode speech on the game connection.
#include "net/ClientSock.h"
#include "net/Packet.h"
#include "net/UnicodeSpeechPacket.h"

BOOL WriteUnicodeSpeech(M_BYTE mode, M_WORD hue, M_WORD font, const char* language,
                        const M_WORD* text) {
    if (!g_pGameSocket) return FALSE;
    PDSTRUCT packet;
    BuildUnicodeSpeech(&packet, mode, hue, font, language, text);
    return g_pGameSocket->Write(&packet);
}
