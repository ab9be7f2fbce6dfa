#include "support/fakes/FakeSpellBook.h"

#include "dialogs/SpellBook.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<std::string>& SpellTableNames() {
    static std::vector<std::string> names;
    return names;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { SpellTableNames().clear(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

const char* GetSpellTableName(int spell) {
    const auto& names = tw::fake::SpellTableNames();
    if (spell < 0 || spell >= SPELL_TABLE_SIZE || spell >= static_cast<int>(names.size()))
        return nullptr;
    return names[spell].c_str();
}
