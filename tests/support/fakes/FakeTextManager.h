// Records the text manager calls made by the code under test.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {

struct SystemMessage {
    int hue;
    int font;
    std::string text;
};

struct TextManagerCalls {
    std::vector<SystemMessage> systemMessages;
};

TextManagerCalls& textManager();

}  // namespace tw::fake
