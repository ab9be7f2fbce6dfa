#include "support/fakes/FakeMouseManager.h"

#include "gumps/MouseManager.h"
#include "support/TwTest.h"

namespace tw::fake {

std::vector<std::string>& MouseCalls() {
    static std::vector<std::string> calls;
    return calls;
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
    MouseCalls().push_back(call);
}
}  // namespace

}  // namespace tw::fake

void MouseManager::SetCursorType(int kind) {
    tw::fake::Record("SetCursorType " + std::to_string(kind));
}
void MouseManager::BeginWait() {
    tw::fake::Record("BeginWait");
}
void MouseManager::EndWait() {
    tw::fake::Record("EndWait");
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
    tw::fake::Record("EnableCursor " + std::to_string(on));
}
void MouseManager::GetMousePos(int* x, int* y) {
    *x = tw::fake::Mouse().x;
    *y = tw::fake::Mouse().y;
}
BOOL MouseManager::CursorNeedsRedraw() {
    return tw::fake::Mouse().needsRedraw ? TRUE : FALSE;
}
void MouseManager::SetPos(int x, int y) {
    tw::fake::Mouse().x = x;
    tw::fake::Mouse().y = y;
    tw::fake::Record("SetPos " + std::to_string(x) + " " + std::to_string(y));
}
void MouseManager::MoveCursor(BOOL force) {
    tw::fake::Record("MoveCursor " + std::to_string(force));
}
void MouseManager::DrawCursor() {
    tw::fake::Record("DrawCursor");
}
void MouseManager::EraseCursor() {
    tw::fake::Record("EraseCursor");
}
void MouseManager::OnLButtonDown(short x, short y) {
    tw::fake::Record("OnLButtonDown " + std::to_string(x) + " " + std::to_string(y));
}
void MouseManager::OnLButtonUp(short x, short y) {
    tw::fake::Record("OnLButtonUp " + std::to_string(x) + " " + std::to_string(y));
}
void MouseManager::OnRButtonDown(short x, short y) {
    tw::fake::Record("OnRButtonDown " + std::to_string(x) + " " + std::to_string(y));
}
void MouseManager::OnRButtonUp(short x, short y) {
    tw::fake::Record("OnRButtonUp " + std::to_string(x) + " " + std::to_string(y));
}
void MouseManager::Update() {
    tw::fake::Record("Update");
}
