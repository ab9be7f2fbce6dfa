#include "support/fakes/FakeMouseManager.h"

#include <cstdio>
#include <mutex>

#include "gumps/MouseManager.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<std::string>& MouseCalls() {
    static std::vector<std::string> calls;
    return calls;
}

namespace {
std::mutex& CallsMutex() {
    static std::mutex mutex;
    return mutex;
}
}  // namespace

std::vector<std::string> MouseCallsSnapshot() {
    std::lock_guard<std::mutex> lock(CallsMutex());
    return MouseCalls();
}

MouseState& Mouse() {
    static MouseState state;
    return state;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] {
        MouseCalls().clear();
        Mouse() = MouseState();
    });
    return true;
}();

void Record(const std::string& call) {
    std::lock_guard<std::mutex> lock(CallsMutex());
    MouseCalls().push_back(call);
}

void Record(const char* name, int a) {
    char text[64];
    snprintf(text, sizeof text, "%s %d", name, a);
    Record(text);
}

void Record(const char* name, int x, int y) {
    char text[64];
    snprintf(text, sizeof text, "%s %d %d", name, x, y);
    Record(text);
}
}  // namespace

}  // namespace tw::fake

void MouseManager::SetCursorType(int kind) {
    tw::fake::Record("SetCursorType", kind);
}
void MouseManager::BeginWait() {
    tw::fake::Record("BeginWait");
}
void MouseManager::EndWait() {
    tw::fake::Record("EndWait");
}
BOOL MouseManager::IsMouseNearPlayer() {
    return tw::fake::Mouse().nearPlayer ? TRUE : FALSE;
}
void MouseManager::startup() {
    tw::fake::Record("startup");
}
void MouseManager::shutdown() {
    tw::fake::Record("shutdown");
}
void MouseManager::LoadCursorArt() {
    tw::fake::Record("LoadCursorArt");
}
void MouseManager::EnableCursor(BOOL on) {
    tw::fake::Record("EnableCursor", on);
}
void MouseManager::GetMousePos(int* x, int* y) {
    *x = tw::fake::Mouse().x;
    *y = tw::fake::Mouse().y;
}
void MouseManager::GetCursorSize(int* width, int* height) {
    *width = 0;
    *height = 0;
}
BOOL MouseManager::CursorNeedsRedraw() {
    return tw::fake::Mouse().needsRedraw ? TRUE : FALSE;
}
void MouseManager::SetPos(int x, int y) {
    tw::fake::Mouse().x = x;
    tw::fake::Mouse().y = y;
    tw::fake::Record("SetPos", x, y);
}
void MouseManager::MoveCursor(BOOL force) {
    tw::fake::Record("MoveCursor", force);
}
void MouseManager::DrawCursor() {
    tw::fake::Record("DrawCursor");
}
void MouseManager::EraseCursor() {
    tw::fake::Record("EraseCursor");
}
void MouseManager::OnLButtonDown(short x, short y) {
    tw::fake::Record("OnLButtonDown", x, y);
}
void MouseManager::OnLButtonUp(short x, short y) {
    tw::fake::Record("OnLButtonUp", x, y);
}
void MouseManager::OnRButtonDown(short x, short y) {
    tw::fake::Record("OnRButtonDown", x, y);
}
void MouseManager::OnRButtonUp(short x, short y) {
    tw::fake::Record("OnRButtonUp", x, y);
}
void MouseManager::Update() {
    tw::fake::Record("Update");
}
