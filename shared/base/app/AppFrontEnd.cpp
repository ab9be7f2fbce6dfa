// The application's side of the login front end (login/FrontEnd.h).
#include "app/App.h"
#include "app/CreditsRoll.h"
#include "app/SmallMessages.h"
#include "app/VersionManager.h"
#include "comm/HtmlMessages.h"
#include "login/CharCreation.h"
#include "login/FrontEnd.h"
#include "net/PacketManager.h"

namespace {

class AppFrontEnd final : public FrontEndApp {
public:
    int ConnectToServer() override { return CApp::ConnectToServer(); }
    void SendAcctLogin(char* account, char* password, M_BYTE loginKey) override {
        CApp::SendAcctLogin(account, password, loginKey);
    }
    void SendPlayChar(char* name, char* password, int slot) override {
        CApp::SendPlayChar(name, password, slot);
    }
    void ShowCredits() override {
        CCreditsRoll roll;
        roll.Run();
    }
    void SetInWorld(BOOL on) override {
        CApp::inWorld = on;
        if (!on) g_worldShown = FALSE;
    }
    void ResetWorldState() override { CApp::ResetWorldState(); }
    void SaveDesktop() override { tw::Service<WorldEntry>::Get().SaveDesktop(); }
    void ClearMessageStore() override { DeleteHtmlMessages(); }
    void ClearBackBuffer() override { CApp::ClearBackBuffer(); }
    void UseSlotHues(int slot) override {
        if (slot < 0 || slot >= CApp::CHAR_SLOTS) return;
        CApp::speechHue = CApp::savedSpeechHues[slot];
        CApp::emoteHue = CApp::savedEmoteHues[slot];
    }
    // Both records: a character played takes the message's, one created
    // takes creation's whole.
    void SetChosenShard(int id) override {
        CApp::createChar.shardIndex = static_cast<M_BYTE>(id);
        CharCreateInfo.shard = static_cast<M_DWORD>(id);
    }
    void SetPlayedCharacter(const char* name, const char* password) override {
        CApp::createChar.name = name;
        CApp::createChar.password = password;
    }
    const char* VersionText() override { return CVersionManager::GetVersionText(); }
};

}  // namespace

void InstallAppFrontEnd() {
    static AppFrontEnd app;
    tw::Service<FrontEndApp>::Install(&app);
}
