#include "support/fakes/FakeApp.h"

#include "app/App.h"
#include "support/TwTest.h"

namespace tw::fake {

AppState& App() {
    static AppState state;
    return state;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { App() = AppState(); });
    return true;
}();

void Record(const std::string& call) {
    App().calls.push_back(call);
}

std::string At(short x, short y) {
    return " " + std::to_string(x) + " " + std::to_string(y);
}
}  // namespace

}  // namespace tw::fake

void CApp::OnChar(int code) {
    tw::fake::Record("OnChar " + std::to_string(code));
}
void CApp::OnLButtonDown(short x, short y) {
    tw::fake::Record("LButtonDown" + tw::fake::At(x, y));
}
void CApp::OnLButtonUp(short x, short y) {
    tw::fake::Record("LButtonUp" + tw::fake::At(x, y));
}
void CApp::OnRButtonDown(short x, short y) {
    tw::fake::Record("RButtonDown" + tw::fake::At(x, y));
}
void CApp::OnRButtonUp(short x, short y) {
    tw::fake::Record("RButtonUp" + tw::fake::At(x, y));
}
void CApp::OnMouseMove(short x, short y) {
    tw::fake::Record("MouseMove" + tw::fake::At(x, y));
}
void CApp::SetWarMode(int mode) {
    tw::fake::Record("SetWarMode " + std::to_string(mode));
}
int CApp::WarModeRequest() {
    return tw::fake::App().warModeRequest;
}
BOOL CApp::PlayerAtWar() {
    return tw::fake::App().playerAtWar ? TRUE : FALSE;
}
void CApp::RunMacro(int index) {
    tw::fake::Record("RunMacro " + std::to_string(index));
}

int RandomNumber(int n) {
    ++tw::fake::App().randomCalls;
    (void)n;
    return 0;
}
