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

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { InputWindowCalls().clear(); });
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
