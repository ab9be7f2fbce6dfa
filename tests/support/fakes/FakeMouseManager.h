// Recording stand-in of the mouse manager.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {

// Every call in order: "BeginWait", "EndWait", "SetCursorType 17",
// "DrawCursor", "EraseCursor", "SetPos 3 4", "MoveCursor 1" and the like.
std::vector<std::string>& MouseCalls();
// A copy of the calls so far, safe while the cursor thread is recording.
std::vector<std::string> MouseCallsSnapshot();
// The position GetMousePos reports and what CursorNeedsRedraw answers.
struct MouseState {
    int x = 0;
    int y = 0;
    bool needsRedraw = false;
    // What IsMouseNearPlayer answers.
    bool nearPlayer = true;
};
MouseState& Mouse();

}  // namespace tw::fake
