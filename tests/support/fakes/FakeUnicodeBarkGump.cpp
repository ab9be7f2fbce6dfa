#include "FakeUnicodeBarkGump.h"

#include <memory>

#include "comm/UnicodeBarkGump.h"
#include "support/TwTest.h"
#include "world/SpeakerRecord.h"

namespace tw::fake {

namespace {
// The gumps made, owned here as the gump manager would own them.
std::vector<std::unique_ptr<CUnicodeBarkGump>>& Made() {
    static std::vector<std::unique_ptr<CUnicodeBarkGump>> made;
    return made;
}
}  // namespace

std::vector<UnicodeBark>& UnicodeBarks() {
    static std::vector<UnicodeBark> barks;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] {
            barks.clear();
            Made().clear();
        });
    }
    return barks;
}

}  // namespace tw::fake

CUnicodeBarkGump::CUnicodeBarkGump(CDynamicObj* object, const M_WORD* text, int hue, int font,
                                   const char* language, CGump* gump) {
    std::vector<M_WORD> units;
    for (const M_WORD* u = text; u && *u; ++u) units.push_back(*u);
    tw::fake::UnicodeBarks().push_back(
        {object, units, hue, font, language ? language : "", gump, g_speakerName, g_speechKind});
    tw::fake::Made().emplace_back(this);
}
