#include "support/fakes/FakeMacroNeighbours.h"

#include "comm/Chat.h"
#include "dialogs/TargetManager.h"
#include "login/QuitQuestion.h"
#include "net/PacketManager.h"
#include "support/TwTest.h"

namespace tw::fake {

MacroNeighbours& MacroNeighbourCalls() {
    static MacroNeighbours state;
    return state;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { MacroNeighbourCalls() = MacroNeighbours(); });
    return true;
}();
}  // namespace

}  // namespace tw::fake

void TargetManager::SetLastTarget(CObj* mobile) {
    tw::fake::MacroNeighbourCalls().calls.push_back("SetLastTarget");
    tw::fake::MacroNeighbourCalls().lastTargets.push_back(mobile);
}

BOOL IsQuitQuestionOpen() {
    return tw::fake::MacroNeighbourCalls().quitQuestionOpen ? TRUE : FALSE;
}

void OpenQuitQuestion(const char* text) {
    tw::fake::MacroNeighbourCalls().calls.push_back(std::string("OpenQuitQuestion ") + text);
    tw::fake::MacroNeighbourCalls().quitQuestionOpen = true;
}

// A chat-open message with the name field left empty: id 0xB5 and 63 zero
// bytes, so that the test server sees it arrive.
void SendChatOpen(PDSTRUCT* buffer, const M_WORD*) {
    tw::fake::MacroNeighbourCalls().calls.push_back("SendChatOpen");
    PacketManager::BeginPacket(buffer, 0xB5);
    for (int i = 1; i < 64; ++i) PacketManager::WriteU8(buffer, 0);
}
