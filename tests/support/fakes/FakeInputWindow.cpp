#include "support/fakes/FakeInputWindow.h"

#include <cstdio>

#include "gumps/InputWindow.h"
#include "support/TwTest.h"

CInputWindow* g_inputWindow = nullptr;

namespace tw::fake {

std::vector<std::string>& InputWindowCalls() {
    static std::vector<std::string> calls;
    return calls;
}

bool& PromptPending() {
    static bool pending = false;
    return pending;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        InputWindowCalls().clear();
        PromptPending() = false;
    });
    return true;
}();
}  // namespace

}  // namespace tw::fake

CInputWindow::CInputWindow() = default;
CInputWindow::~CInputWindow() = default;

int CInputWindow::HandleSpecialKey(int code, M_DWORD extendedKeySym) {
    char text[64];
    snprintf(text, sizeof text, "SpecialKey %d %x", code, extendedKeySym);
    tw::fake::InputWindowCalls().push_back(text);
    return 0;
}

void CInputWindow::HandleKey(int code) {
    char text[64];
    snprintf(text, sizeof text, "HandleKey %d", code);
    tw::fake::InputWindowCalls().push_back(text);
}

void CInputWindow::RedrawText(int hue, int font) {
    char text[64];
    snprintf(text, sizeof text, "RedrawText %d %d", hue, font);
    tw::fake::InputWindowCalls().push_back(text);
}

BOOL CInputWindow::IsPromptPending() {
    return tw::fake::PromptPending() ? TRUE : FALSE;
}

void CInputWindow::SetMode(int mode) {
    char text[64];
    snprintf(text, sizeof text, "SetMode %d", mode);
    tw::fake::InputWindowCalls().push_back(text);
}

void CInputWindow::UpdatePrompt(CInputWindow*) {
    tw::fake::InputWindowCalls().push_back("UpdatePrompt");
}

void CInputWindow::SendPromptReply(CInputWindow*, int replyType, const char* reply) {
    char text[128];
    snprintf(text, sizeof text, "PromptReply %d '%s'", replyType, reply ? reply : "");
    tw::fake::InputWindowCalls().push_back(text);
}
