#include "FakeUnicodeSpeechWrite.h"

#include "net/UnicodeSpeechPacket.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<SpeechWrite>& SpeechWrites() {
    static std::vector<SpeechWrite> writes;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] { writes.clear(); });
    }
    return writes;
}

}  // namespace tw::fake

BOOL WriteUnicodeSpeech(M_BYTE mode, M_WORD hue, M_WORD font, const char* language,
                        const M_WORD* text) {
    std::vector<M_WORD> units;
    for (const M_WORD* u = text; u && *u; ++u) units.push_back(*u);
    tw::fake::SpeechWrites().push_back({mode, hue, font, language ? language : "", units});
    return TRUE;
}
