// Stand-ins of what the gump framework asks of the modules above it.
#include "pending/PendingServices.h"

#include "TWReport.h"
#include "app/App.h"
#include "comm/TextGump.h"
#include "gumps/DeathMenuGump.h"
#include "gumps/GumpHooks.h"
#include "gumps/InputWindow.h"
#include "login/FrontEnd.h"
#include "pending/Pending.h"
#include "resources/GraphicManager.h"
#include "view/MapGump.h"

namespace {

// The dialogs not built yet are not made; the journal window is.
class PendingGumpFactory : public GumpFactory {
public:
    CGump* CreateTextGump(int x, int y) override { return new CTextGump(x, y); }
    CGump* CreateStatusGump(CObj*, int) override {
        TW_PENDING("CStatusGump::CStatusGump");
        return nullptr;
    }
    CGump* CreatePaperdollGump(int, int, CGump*, CObj*, int, int, int, const char*, int) override {
        TW_PENDING("CPaperdollGump::CPaperdollGump");
        return nullptr;
    }
    CGump* CreateShopGump(int, int, CObj*) override {
        TW_PENDING("CShopGump::CShopGump");
        return nullptr;
    }
    CGump* CreateStackGump(int, int, CObj*) override {
        TW_PENDING("CStackGump::CStackGump");
        return nullptr;
    }
    CGump* CreateOptionsGump() override {
        TW_PENDING("OptionsGump::Create");
        return nullptr;
    }
    CGump* CreateRadarGump(int, int, int) override {
        TW_PENDING("CRadarGump::CRadarGump");
        return nullptr;
    }
    CGump* CreateContainerGump(int, int, CGump*, CObj*, int, int, int, int) override {
        TW_PENDING("CContainerGump::CContainerGump");
        return nullptr;
    }
    CGump* CreatePointGump(int, int, BOOL) override {
        TW_PENDING("PointGump::PointGump");
        return nullptr;
    }
    CGump* CreateGMChatGump(int, int, int, int) override {
        TW_PENDING("GMChatGump::GMChatGump");
        return nullptr;
    }
    CGump* CreateHTMLGump(int, int, int, int) override {
        TW_PENDING("HTMLGump::HTMLGump");
        return nullptr;
    }
    CGump* CreateMailGump(int, int, int, int) override {
        TW_PENDING("MailGump::MailGump");
        return nullptr;
    }
    std::string HelpChatRequestText() override { return ""; }
    std::string AccountPageAddress() override { return ""; }
    void LoadSkillGroups() override { TW_PENDING("LoadSkillGroups"); }
};

class PendingGumpSession : public GumpSession {
public:
    BOOL IsInWorld() override { return CApp::inWorld; }
    BOOL PlayerAtWar() override { return CApp::PlayerAtWar(); }
    void UpdateInputPrompt() override {
        if (g_inputWindow) CInputWindow::UpdatePrompt(g_inputWindow);
    }
    void LogoutFromWorld() override { ::LogoutFromWorld(); }
    void ForgetGump(CGump* gump) override {
        // The main gumps that the graphic manager keeps.
        if (GraphicManager::pMapGump == gump) GraphicManager::pMapGump = nullptr;
        if (GraphicManager::pMainMenuGump == gump) GraphicManager::pMainMenuGump = nullptr;
        if (GraphicManager::pDeathMenuGump == gump) GraphicManager::pDeathMenuGump = nullptr;
    }
};

}  // namespace

void InstallPendingGumpServices() {
    static PendingGumpFactory factory;
    static PendingGumpSession session;
    tw::Service<GumpFactory>::Install(&factory);
    tw::Service<GumpSession>::Install(&session);
}
