// Stand-ins of the dialogs, login and chat services that macro actions
// call: the target manager, the quit question and the chat-open message.
#pragma once

#include <string>
#include <vector>

class CObj;

namespace tw::fake {

struct MacroNeighbours {
    // Every call in order: "SetLastTarget", "OpenQuitQuestion <text>",
    // "SendChatOpen".
    std::vector<std::string> calls;
    // The mobiles given to TargetManager::SetLastTarget.
    std::vector<CObj*> lastTargets;
    // What IsQuitQuestionOpen answers.
    bool quitQuestionOpen = false;
};

MacroNeighbours& MacroNeighbourCalls();

}  // namespace tw::fake
