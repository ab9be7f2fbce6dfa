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

void CInputWindow::HandleKey(int) {
    TW_PENDING("CInputWindow::HandleKey");
}

void CInputWindow::RedrawText(int, int) {
    TW_PENDING("CInputWindow::RedrawText");
}

BOOL CInputWindow::IsPromptPending() {
    return FALSE;
}

void CInputWindow::SendPromptReply(CInputWindow*, int, const char*) {
    TW_PENDING("CInputWindow::SendPromptReply");
}
