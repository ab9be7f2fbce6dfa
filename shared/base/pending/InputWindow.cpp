#include "gumps/InputWindow.h"
#include "pending/Pending.h"

CInputWindow* g_inputWindow = nullptr;

CInputWindow::CInputWindow() {
    TW_PENDING("CInputWindow::CInputWindow");
}
CInputWindow::~CInputWindow() = default;

int CInputWindow::HandleSpecialKey(int, M_DWORD) {
    TW_PENDING("CInputWindow::HandleSpecialKey");
    return 0;
}
