#include "support/fakes/FakeFontManager.h"

#include "support/TwTest.h"

namespace tw::fake {

std::vector<FontPatch>& FontPatches() {
    static std::vector<FontPatch> patches;
    return patches;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { FontPatches().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void FontManager::PatchFont(int font, const M_BYTE* glyphs, int length) {
    tw::fake::FontPatches().push_back({font, std::vector<M_BYTE>(glyphs, glyphs + length)});
}
