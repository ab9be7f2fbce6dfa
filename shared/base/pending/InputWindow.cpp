// Stand-in of the speech input line: a server prompt is still answered.
#include "gumps/InputWindow.h"

#include <vector>

#include "net/ServerPrompt.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class InputWindowStandIn : public InputWindowService {
public:
    CInputWindow* MakeInputWindow() override {
        TW_PENDING("CInputWindow::CInputWindow");
        return new CInputWindow();
    }
    int HandleSpecialKey(int, M_DWORD) override {
        TW_PENDING("CInputWindow::HandleSpecialKey");
        return 0;
    }
    void HandleKey(CInputWindow*, int) override { TW_PENDING("CInputWindow::HandleKey"); }
    void RedrawText(CInputWindow*, int, int) override { TW_PENDING("CInputWindow::RedrawText"); }
    BOOL IsPromptPending() override {
        TW_PENDING("CInputWindow::IsPromptPending");
        return g_serverPrompt.pending;
    }
    void SendPromptReply(CInputWindow* line, int replyType, const char* text) override {
        TW_PENDING("CInputWindow::SendPromptReply");
        std::vector<M_WORD> wide;
        for (const char* c = text; c && *c; ++c) wide.push_back(static_cast<unsigned char>(*c));
        wide.push_back(0);
        ::SendPromptReply(line, replyType, wide.data());
    }
    void SetMode(CInputWindow*, int) override { TW_PENDING("CInputWindow::SetMode"); }
    void UpdatePrompt(CInputWindow*) override { TW_PENDING("CInputWindow::UpdatePrompt"); }
};

}  // namespace

void InstallPendingInputWindow() {
    InstallStandIn<InputWindowStandIn, InputWindowService>();
}
