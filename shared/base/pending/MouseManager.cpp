// Stand-in of the mouse manager's cursor pictures, their drawing on the
// window and in the frame and the map cell under the pointer: no cursor is
// drawn.
#include "gumps/MouseManager.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class MouseCursorStandIn : public MouseCursorService {
public:
    void LoadCursorArt() override { TW_PENDING("MouseManager::LoadCursorArt"); }
    void EnableCursor(BOOL) override { TW_PENDING("MouseManager::EnableCursor"); }
    void GetCursorSize(int* width, int* height) override {
        TW_PENDING("MouseManager::GetCursorSize");
        *width = 0;
        *height = 0;
    }
    void MoveCursor(BOOL) override { TW_PENDING("MouseManager::MoveCursor"); }
    void DrawCursor() override { TW_PENDING("MouseManager::DrawCursor"); }
    void EraseCursor() override { TW_PENDING("MouseManager::EraseCursor"); }
    void GetTileUnderPoint(int, int, int* cellX, int* cellY) override {
        TW_PENDING("MouseManager::GetTileUnderPoint");
        *cellX = -1;
        *cellY = -1;
    }
};

}  // namespace

void InstallPendingMouseManager() {
    InstallStandIn<MouseCursorStandIn, MouseCursorService>();
}
