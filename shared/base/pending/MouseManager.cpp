// Stand-in of the mouse manager.  The cursor is not drawn; the position is
// kept so that the cursor thread sees the pointer as still once it has
// moved.
#include "gumps/MouseManager.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class MouseManagerStandIn : public MouseService {
public:
    void startup() override { TW_PENDING("MouseManager::startup"); }
    void shutdown() override { TW_PENDING("MouseManager::shutdown"); }
    void LoadCursorArt() override { TW_PENDING("MouseManager::LoadCursorArt"); }
    void EnableCursor(BOOL) override { TW_PENDING("MouseManager::EnableCursor"); }
    void GetMousePos(int* x, int* y) override {
        TW_PENDING("MouseManager::GetMousePos");
        *x = x_;
        *y = y_;
    }
    BOOL CursorNeedsRedraw() override {
        TW_PENDING("MouseManager::CursorNeedsRedraw");
        return FALSE;
    }
    void SetPos(int x, int y) override {
        TW_PENDING("MouseManager::SetPos");
        x_ = x;
        y_ = y;
    }
    void MoveCursor(BOOL) override { TW_PENDING("MouseManager::MoveCursor"); }
    void DrawCursor() override { TW_PENDING("MouseManager::DrawCursor"); }
    void EraseCursor() override { TW_PENDING("MouseManager::EraseCursor"); }
    void OnLButtonDown(short, short) override { TW_PENDING("MouseManager::OnLButtonDown"); }
    void OnLButtonUp(short, short) override { TW_PENDING("MouseManager::OnLButtonUp"); }
    void OnRButtonDown(short, short) override { TW_PENDING("MouseManager::OnRButtonDown"); }
    void OnRButtonUp(short, short) override { TW_PENDING("MouseManager::OnRButtonUp"); }
    void Update() override { TW_PENDING("MouseManager::Update"); }
    void SetCursorType(int) override { TW_PENDING("MouseManager::SetCursorType"); }
    void BeginWait() override { TW_PENDING("MouseManager::BeginWait"); }
    void EndWait() override { TW_PENDING("MouseManager::EndWait"); }
    // Without the pointer's position every walk by mouse is a walk.
    BOOL IsMouseNearPlayer() override {
        TW_PENDING("MouseManager::IsMouseNearPlayer");
        return TRUE;
    }

private:
    // Written by the main thread, read by the cursor thread between frames
    // (the mouse manager's own lock will guard it once it is built).
    int x_ = 0;
    int y_ = 0;
};

}  // namespace

void InstallPendingMouseManager() {
    InstallStandIn<MouseManagerStandIn, MouseService>();
}
