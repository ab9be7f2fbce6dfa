// Recording stand-in of the speech input line.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// Every call in order: "SpecialKey <code> <keysym hex>", "HandleKey <code>",
// "RedrawText <hue> <font>", "PromptReply <type> '<text>'", "SetMode <mode>",
// "UpdatePrompt".
std::vector<std::string>& InputWindowCalls();
// What CInputWindow::IsPromptPending answers.
bool& PromptPending();
}  // namespace tw::fake
