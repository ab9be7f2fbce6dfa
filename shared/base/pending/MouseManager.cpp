#include "gumps/MouseManager.h"

#include "pending/Pending.h"

// Without the mouse manager the cursor is not drawn; the position is kept so
// that the cursor thread sees the pointer as still once it has moved.
namespace {
int g_x = 0;
int g_y = 0;
}  // namespace

void MouseManager::startup() {
    TW_PENDING("MouseManager::startup");
}
void MouseManager::shutdown() {
    TW_PENDING("MouseManager::shutdown");
}
void MouseManager::LoadCursorArt() {
    TW_PENDING("MouseManager::LoadCursorArt");
}
void MouseManager::EnableCursor(BOOL) {
    TW_PENDING("MouseManager::EnableCursor");
}
void MouseManager::GetMousePos(int* x, int* y) {
    TW_PENDING("MouseManager::GetMousePos");
    *x = g_x;
    *y = g_y;
}
void MouseManager::GetCursorSize(int* width, int* height) {
    TW_PENDING("MouseManager::GetCursorSize");
    *width = 0;
    *height = 0;
}
BOOL MouseManager::CursorNeedsRedraw() {
    TW_PENDING("MouseManager::CursorNeedsRedraw");
    return FALSE;
}
void MouseManager::SetPos(int x, int y) {
    TW_PENDING("MouseManager::SetPos");
    g_x = x;
    g_y = y;
}
void MouseManager::MoveCursor(BOOL) {
    TW_PENDING("MouseManager::MoveCursor");
}
void MouseManager::DrawCursor() {
    TW_PENDING("MouseManager::DrawCursor");
}
void MouseManager::EraseCursor() {
    TW_PENDING("MouseManager::EraseCursor");
}
void MouseManager::OnLButtonDown(short, short) {
    TW_PENDING("MouseManager::OnLButtonDown");
}
void MouseManager::OnLButtonUp(short, short) {
    TW_PENDING("MouseManager::OnLButtonUp");
}
void MouseManager::OnRButtonDown(short, short) {
    TW_PENDING("MouseManager::OnRButtonDown");
}
void MouseManager::OnRButtonUp(short, short) {
    TW_PENDING("MouseManager::OnRButtonUp");
}
void MouseManager::Update() {
    TW_PENDING("MouseManager::Update");
}
void MouseManager::SetCursorType(int) {
    TW_PENDING("MouseManager::SetCursorType");
}
void MouseManager::BeginWait() {
    TW_PENDING("MouseManager::BeginWait");
}
void MouseManager::EndWait() {
    TW_PENDING("MouseManager::EndWait");
}
// Without the pointer's position every walk by mouse is a walk.
BOOL MouseManager::IsMouseNearPlayer() {
    TW_PENDING("MouseManager::IsMouseNearPlayer");
    return TRUE;
}
