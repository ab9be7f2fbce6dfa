// Recording stand-in of the gump manager.
#pragma once

#include <map>
#include <string>
#include <vector>

class CGump;

namespace tw::fake {

struct WaitingGumpCall {
    std::string text;  // 16-bit texts are narrowed (units above 0xFF become '?')
    bool hasParent;
    int okButton;
    int large;
    int logout;
    int wideText;
};

// Every CGumpManager::OpenWaitingGump call in order.
std::vector<WaitingGumpCall>& WaitingGumps();
// Just their texts.
std::vector<std::string> WaitingGumpTexts();
// The other calls in order: "startup", "shutdown", "RecreateMainBitmap",
// "Update", "CloseDragGump", "OpenGump <id> object|none <flag>",
// "OpenMailGump", "CloseFlaggedGumps", "ScrollMissiles <dx> <dy>",
// "UpdateBarkPositions".
// A waiting gump counts as open (IsGumpOpen) until CloseWaitingGumps.
std::vector<std::string>& GumpManagerCalls();
void CloseWaitingGumps();
// What FindWindowGump answers per macro window (0-9); none when not set.
std::map<int, CGump*>& WindowGumps();

// CGumpManager::OpenGump calls and what it answers.
struct OpenGumpCall {
    const void* object;
    int gumpId;
};
std::vector<OpenGumpCall>& OpenedGumps();
CGump*& OpenGumpResult();

}  // namespace tw::fake
