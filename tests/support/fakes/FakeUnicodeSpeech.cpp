#include "FakeUnicodeSpeech.h"

#include "comm/UnicodeSpeech.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<UnicodeSpeech>& unicodeSpeech() {
    static std::vector<UnicodeSpeech> calls;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] { calls.clear(); });
    }
    return calls;
}

std::vector<ShownSpeech>& shownSpeech() {
    static std::vector<ShownSpeech> calls;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] { calls.clear(); });
    }
    return calls;
}

BOOL& serverFeatureFlag() {
    static BOOL flag = FALSE;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] { flag = FALSE; });
    }
    return flag;
}

}  // namespace tw::fake

void SetServerFeatureFlag(BOOL value) {
    tw::fake::serverFeatureFlag() = value;
}

BOOL GetServerFeatureFlag() {
    return tw::fake::serverFeatureFlag();
}

void SendUnicodeSpeech(const M_WORD* text, int value, int mode) {
    std::vector<M_WORD> units;
    for (const M_WORD* u = text; u && *u; ++u) units.push_back(*u);
    tw::fake::unicodeSpeech().push_back({units, value, mode});
}

void ShowUnicodeSpeech(M_DWORD serial, int graphic, int type, int hue, int font,
                       const char* language, const char* name, M_WORD* text) {
    std::vector<M_WORD> units;
    for (const M_WORD* u = text; u && *u; ++u) units.push_back(*u);
    tw::fake::shownSpeech().push_back(
        {serial, graphic, type, hue, font, language ? language : "", name ? name : "", units});
}
