#include "support/fakes/FakeSkillGump.h"

#include "dialogs/SkillGump.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<std::string>& SkillNames() {
    static std::vector<std::string> names;
    return names;
}

int& SkillListRequests() {
    static int requests = 0;
    return requests;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        SkillNames().clear();
        SkillListRequests() = 0;
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

int GetSkillNameCount() {
    return static_cast<int>(tw::fake::SkillNames().size());
}

const char* GetSkillName(int index) {
    if (index < 0 || index >= GetSkillNameCount()) return nullptr;
    return tw::fake::SkillNames()[index].c_str();
}

void NoteSkillListRequested() {
    ++tw::fake::SkillListRequests();
}
