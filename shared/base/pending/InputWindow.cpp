#include "gumps/InputWindow.h"

#include <vector>

#include "net/ServerPrompt.h"
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
    TW_PENDING("CInputWindow::IsPromptPending");
    return g_serverPrompt.pending;
}

void CInputWindow::SendPromptReply(CInputWindow* line, int replyType, const char* text) {
    TW_PENDING("CInputWindow::SendPromptReply");
    std::vector<M_WORD> wide;
    for (const char* c = text; c && *c; ++c) wide.push_back(static_cast<unsigned char>(*c));
    wide.push_back(0);
    ::SendPromptReply(line, replyType, wide.data());
}

void CInputWindow::SetMode(int) {
    TW_PENDING("CInputWindow::SetMode");
}

void CInputWindow::UpdatePrompt(CInputWindow*) {
    TW_PENDING("CInputWindow::UpdatePrompt");
}
