// The application's side of the world's server messages
// (net/WorldMessageEvents.h): the world reset, war mode, the in-world flag,
// the version text and the window title.
#include "App.h"
#include "AppServices.h"
#include "Platform.h"
#include "VersionManager.h"
#include "login/LoginState.h"
#include "net/PacketManager.h"
#include "net/TargetState.h"

void AppWorldMessages::ResetWorldState() {
    CApp::ResetWorldState();
}
void AppWorldMessages::ClearBackBuffer() {
    CApp::ClearBackBuffer();
}
void AppWorldMessages::SetInWorld() {
    CApp::inWorld = TRUE;
}
void AppWorldMessages::SetWarMode(int mode) {
    CApp::SetWarMode(mode);
}
void AppWorldMessages::ApplyWarMode(int mode) {
    CApp::ApplyWarMode(mode);
}
void AppWorldMessages::SetFightModes(int first, int second, int third) {
    CApp::warModeExtra[0] = first;
    CApp::warModeExtra[1] = second;
    CApp::warModeExtra[2] = third;
}
const char* AppWorldMessages::GetVersionText() {
    return CVersionManager::GetVersionText();
}
void AppWorldMessages::SetWindowTitle(const char* title) {
    ::SetWindowTitle(title);
}
const char* AppWorldMessages::GetCurrentCharacterName() {
    return ::GetCurrentCharacterName();
}
const char* AppWorldMessages::GetCurrentShardName() {
    return ::GetCurrentShardName();
}

void AppWorldMessages::SetGameClock(int hour, int minute, int step) {
    CApp::gameHour = hour;
    CApp::gameMinute = minute;
    CApp::gameSeconds = step;
}

void AppWorldMessages::BeginServerTarget() {
    CApp::SetTargetCursor();
    CApp::targetKind = g_targetType;
    CApp::targetCallback = [](CDrawItem* picked) { PacketManager::SendTargetResponse(picked); };
}

void AppWorldMessages::EndTarget() {
    CApp::EndTarget();
}
