// Server message 0xB0 over arbitrary bytes: the layout parser builds its
// element tree and draws it; then a few clicks (at points the input's last
// bytes choose), keys, and the reply 0xB1, whose length must fit its field
// and whose entries must not pass 239 characters.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "comm/GumpMessages.h"
#include "fuzz/FuzzSupport.h"
#include "gumps/GenericGump.h"
#include "gumps/Gump.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "pending/PendingServices.h"

namespace {

void CheckReply(CGenericGump* gump) {
    PDSTRUCT packet;
    if (!gump->BuildReply(&packet, 1)) return;
    const size_t length = PacketManager::SealPacket(&packet);
    if (length == 0 || length > PDSTRUCT::kCapacity) abort();
    const M_BYTE* b = packet.data;
    size_t at = 15;
    const size_t switches =
        size_t(b[at]) << 24 | size_t(b[at + 1]) << 16 | b[at + 2] << 8 | b[at + 3];
    at += 4 + 4 * switches;
    const size_t entries =
        size_t(b[at]) << 24 | size_t(b[at + 1]) << 16 | b[at + 2] << 8 | b[at + 3];
    at += 4;
    for (size_t i = 0; i < entries; ++i) {
        const size_t n = b[at + 2] << 8 | b[at + 3];
        if (n > CGenericGump::MAX_ENTRY_LENGTH) abort();
        at += 4 + 2 * n;
    }
    if (at != length) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    static bool installed = false;
    if (!installed) {
        installed = true;
        InstallPendingServices();
        // Unicode fonts without glyphs: the text is measured and drawn as
        // nothing, and the fonts load without a fatal stop.
        const std::vector<uint8_t> noGlyphs(65536 * 4, 0);
        for (const char* name : {"unifont.mul", "unifont1.mul", "unifont2.mul"})
            tw::fuzz::WriteInputFile(name, noGlyphs.data(), noGlyphs.size());
    }
    if (size < 3) return 0;
    std::vector<M_BYTE> message(data, data + size);
    message[0] = 0xB0;
    HandleGenericGump(PacketIn(message.data(), message.size()));
    if (g_gumpList && g_gumpList->IsGenericGump()) {
        auto* gump = static_cast<CGenericGump*>(g_gumpList);
        CheckReply(gump);
        const int px = data[size - 1], py = data[size - 2];
        gump->HandleLButtonDown(px, py);
        gump->HandleKey('a');
        gump->HandleKey(8);
        gump->HandleLButtonUp(px, py);
        if (g_gumpList == gump) CheckReply(gump);
    }
    while (CGump* head = g_gumpList) delete head;
    return 0;
}
