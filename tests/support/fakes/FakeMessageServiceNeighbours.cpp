#include "support/fakes/FakeMessageServiceNeighbours.h"

#include "comm/MailGumps.h"
#include "login/LoginState.h"
#include "support/TwTest.h"

namespace tw::fake {

MessageServiceNeighbours& MessageService() {
    static MessageServiceNeighbours state;
    return state;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { MessageService() = MessageServiceNeighbours(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

const char* GetCurrentCharacterName() {
    return tw::fake::MessageService().characterName.c_str();
}

const char* GetCurrentShardName() {
    return tw::fake::MessageService().shardName.c_str();
}

void OpenHelpMailGump(int, const M_WORD*, const M_WORD*, int, int, const M_WORD* subject, int,
                      const M_WORD*, const M_WORD*, const M_WORD*) {
    std::string narrow;
    for (const M_WORD* p = subject; p && *p; ++p) narrow.push_back(static_cast<char>(*p));
    tw::fake::MessageService().helpMailWindows.push_back(narrow);
}
