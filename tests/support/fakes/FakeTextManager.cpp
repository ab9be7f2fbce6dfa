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
