// Records the text manager calls made by the code under test.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tw::fake {

struct SystemMessage {
    int hue;
    int font;
    std::string text;
};

struct Speech {
    std::string text;
    int length;
    int type;
};

struct TextManagerCalls {
    std::vector<SystemMessage> systemMessages;
    std::vector<Speech> speech;
    // Runs after a SendSpeech is recorded (a test can let it count spam as
    // the real sender does).
    std::function<void(const Speech&)> onSendSpeech;
};

TextManagerCalls& textManager();

}  // namespace tw::fake
