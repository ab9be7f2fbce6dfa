// The input path of the game connection over arbitrary server bytes:
// Huffman decoding (game mode), framing by the packet table, holding and
// release, and dispatch.  The first byte picks the mode and how the rest is
// cut into reads.
#include <cstddef>
#include <cstdint>

#include "Platform.h"
#include "comm/UnicodeSpeech.h"
#include "fuzz/FuzzSupport.h"
#include "net/ClientSock.h"

// The connection-loss routine and the application state it reads stay out
// of the fuzzer: a loss only closes the connection here.
std::atomic<int> g_quitFlag{0};
void HandleConnectionLost(CClientSock*, const char*) {}
// The Unicode speech display likewise: the text it is handed must end.
void SetServerFeatureFlag(BOOL) {}
void ShowUnicodeSpeech(M_DWORD, int, int, int, int, const char*, const char*, M_WORD* text) {
    for (size_t n = 0; text[n]; ++n) {
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    if (size < 1) return 0;
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
