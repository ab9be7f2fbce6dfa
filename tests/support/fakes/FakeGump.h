// The keyboard-focus global for tests without the gump framework, and a
// gump that records the keys and buttons it gets.
#pragma once

#include <string>
#include <vector>

#include "gumps/Gump.h"

namespace tw::fake {

class RecordingGump : public CGump {
public:
    int HandleKey(int code) override {
        calls.push_back("HandleKey " + std::to_string(code));
        return 1;
    }
    BOOL CapturesKeys() override { return captureField != nullptr; }
    CGump* GetKeyCaptureField() override { return captureField; }
    void HandleButton(CGump*) override { calls.push_back("HandleButton"); }

    CGump* captureField = nullptr;
    std::vector<std::string> calls;
};

// CGump::BringToFront, Minimize and Restore in order, with the gump:
// "BringToFront", "Minimize", "Restore".
struct GumpStackCall {
    std::string what;
    const CGump* gump;
};
std::vector<GumpStackCall>& GumpStackCalls();

}  // namespace tw::fake
