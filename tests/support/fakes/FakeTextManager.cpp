#include "FakeTextManager.h"

#include "gumps/TextManager.h"
#include "support/TwTest.h"

namespace tw::fake {

TextManagerCalls& textManager() {
    static TextManagerCalls calls;
    static bool registered = false;
    if (!registered) {
        registered = true;
        tw::test::AddServiceReset([] { calls = TextManagerCalls{}; });
    }
    return calls;
}

}  // namespace tw::fake

void TextManager::AddSystemMessage(int hue, int font, const char* text) {
    tw::fake::textManager().systemMessages.push_back({hue, font, text ? text : ""});
}

void TextManager::SendSpeech(const char* text, int length, int type) {
    auto& calls = tw::fake::textManager();
    calls.speech.push_back({text ? text : "", length, type});
    if (calls.onSendSpeech) calls.onSendSpeech(calls.speech.back());
}
