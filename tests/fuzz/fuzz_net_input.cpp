// The input path of the game connection over arbitrary server bytes:
// Huffman decoding (game mode), framing by the packet table, holding and
// release, and dispatch.  The first byte picks the mode and how the rest is
// cut into reads.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "net/ClientSock.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "net/UnicodeSpeechPacket.h"
#include "support/doubles/RecordingConnection.h"

namespace {

// The modules above the connection as a recording double that reports no
// connection, so that a loss only closes the socket here; what it records
// is dropped after every input.
tw::doubles::RecordingConnection& Upper() {
    static tw::doubles::RecordingConnection upper;
    upper.calls.clear();
    upper.waitingGumpTexts.clear();
    upper.mouseCalls.clear();
    upper.inputWindowCalls.clear();
    upper.helpMailWindows.clear();
    return upper;
}

// Unicode speech is read as its handler reads it: the text handed on must
// end.
void ReadSpeech(const PacketIn& packet) {
    UnicodeSpeechMessage m;
    if (!ReadUnicodeSpeech(packet, &m)) return;
    for (size_t n = 0; m.text.data()[n]; ++n) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 1) return 0;
    Upper();
    static const bool handlers = (PacketManager::SetHandler(0xAE, ReadSpeech), true);
    (void)handlers;
    static CClientSock* sock = new CClientSock;
    sock->Connect(0, 0);  // fails without a server, but empties every buffer
    sock->SetGameMode(data[0] & 1);
    size_t piece = 1 + (data[0] >> 1);
    ++data;
    --size;
    while (size > 0) {
        size_t n = size < piece ? size : piece;
        sock->InjectInputForTests(data, n);
        data += n;
        size -= n;
    }
    return 0;
}
