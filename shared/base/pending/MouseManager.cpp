#include "gumps/MouseManager.h"

#include "pending/Pending.h"

// The cursor's pictures, their drawing on the window and in the frame and
// the map cell under the pointer are not built yet: no cursor is drawn.
void MouseManager::LoadCursorArt() {
    TW_PENDING("MouseManager::LoadCursorArt");
}
void MouseManager::EnableCursor(BOOL) {
    TW_PENDING("MouseManager::EnableCursor");
}
void MouseManager::GetCursorSize(int* width, int* height) {
    TW_PENDING("MouseManager::GetCursorSize");
    *width = 0;
    *height = 0;
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
void MouseManager::GetTileUnderPoint(int, int, int* cellX, int* cellY) {
    TW_PENDING("MouseManager::GetTileUnderPoint");
    *cellX = -1;
    *cellY = -1;
}
