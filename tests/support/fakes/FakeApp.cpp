#include "support/fakes/FakeApp.h"

#include <cstdio>

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

void Record(const char* name, int a) {
    char text[64];
    snprintf(text, sizeof text, "%s %d", name, a);
    App().calls.push_back(text);
}

void Record(const char* name, short x, short y) {
    char text[64];
    snprintf(text, sizeof text, "%s %d %d", name, x, y);
    App().calls.push_back(text);
}
}  // namespace

}  // namespace tw::fake

void CApp::OnChar(int code) {
    tw::fake::Record("OnChar", code);
}
void CApp::OnLButtonDown(short x, short y) {
    tw::fake::Record("LButtonDown", x, y);
}
void CApp::OnLButtonUp(short x, short y) {
    tw::fake::Record("LButtonUp", x, y);
}
void CApp::OnRButtonDown(short x, short y) {
    tw::fake::Record("RButtonDown", x, y);
}
void CApp::OnRButtonUp(short x, short y) {
    tw::fake::Record("RButtonUp", x, y);
}
void CApp::OnMouseMove(short x, short y) {
    tw::fake::Record("MouseMove", x, y);
}
void CApp::SetWarMode(int mode) {
    tw::fake::Record("SetWarMode", mode);
}
int CApp::WarModeRequest() {
    return tw::fake::App().warModeRequest;
}
BOOL CApp::PlayerAtWar() {
    return tw::fake::App().playerAtWar ? TRUE : FALSE;
}
void CApp::RunMacro(int index) {
    tw::fake::Record("RunMacro", index);
}

void ChooseServer(int backup) {
    tw::fake::Record("ChooseServer", backup);
}
void CApp::SendAcctLogin(char* account, char* password, unsigned char flag) {
    char text[128];
    snprintf(text, sizeof text, "SendAcctLogin %s %s %d", account, password, flag);
    tw::fake::App().calls.push_back(text);
}
BOOL CApp::IsConnected() {
    return tw::fake::App().connected;
}
M_DWORD CApp::GetChosenAddress() {
    return tw::fake::App().chosenAddress;
}
M_WORD CApp::GetChosenPort() {
    return tw::fake::App().chosenPort;
}

void CApp::BeginTarget(const char* command, int kind, int number) {
    char text[96];
    snprintf(text, sizeof text, "BeginTarget %s %d %d", command ? command : "", kind, number);
    tw::fake::App().calls.push_back(text);
}

int RandomNumber(int n) {
    auto& app = tw::fake::App();
    ++app.randomCalls;
    return app.random ? app.random(n) : 0;
}
