// A recording double of what the network core asks of the modules above it
// (net/ConnectionEvents.h): the application's connection state and login,
// the windows and the pointer, and the screen update it runs
// (resources/ScreenUpdate.h).  It installs itself for all three while it
// lives.
#pragma once

#include <string>
#include <vector>

#include "Service.h"
#include "net/ConnectionEvents.h"
#include "resources/ScreenUpdate.h"

namespace tw::doubles {

class RecordingConnection final : public ConnectionEvents,
                                  public ConnectionWindows,
                                  public ScreenUpdate {
public:
    // The application: what it answers, and "ChooseServer 0", "SendAcctLogin
    // account password 9" in order.
    int connected = 0;
    unsigned chosenAddress = 0x7F000001;
    unsigned short chosenPort = 0;
    std::vector<std::string> calls;

    // The windows: the waiting gumps' texts (16-bit texts narrowed, units
    // above 0xFF as '?'), which count as open until CloseWaitingGumps; the
    // drag gump closes; the screen updates; the pointer's calls
    // ("BeginWait", "EndWait", "SetCursorType 17"); the input line's
    // ("SetMode 0", "UpdatePrompt"); the help-mail windows by subject; and
    // what the login screens answer.
    std::vector<std::string> waitingGumpTexts;
    void CloseWaitingGumps() { waitingOpen_ = false; }
    int dragGumpCloses = 0;
    int screenUpdates = 0;
    std::vector<std::string> mouseCalls;
    std::vector<std::string> inputWindowCalls;
    std::vector<std::string> helpMailWindows;
    std::string characterName;
    std::string shardName;

    BOOL IsConnected() override { return connected; }
    void SetConnected(BOOL on) override { connected = on; }
    M_DWORD GetChosenAddress() override { return chosenAddress; }
    M_WORD GetChosenPort() override { return chosenPort; }
    void ChooseServer(int backup) override {
        calls.push_back("ChooseServer " + std::to_string(backup));
    }
    void SendAcctLogin(char* account, char* password, unsigned char flag) override {
        calls.push_back(std::string("SendAcctLogin ") + (account ? account : "") + " " +
                        (password ? password : "") + " " + std::to_string(flag));
    }
    // The login screens are not up: the world's handling runs.
    BOOL ReturnToLoginScreens(const char*) override { return FALSE; }

    CWaitingGump* OpenWaitingGump(const void* text, CGump*, int, int, int wideText) override {
        std::string narrow;
        if (text && wideText) {
            for (const M_WORD* p = static_cast<const M_WORD*>(text); *p; ++p)
                narrow.push_back(*p < 0x100 ? static_cast<char>(*p) : '?');
        } else if (text) {
            narrow = static_cast<const char*>(text);
        }
        waitingGumpTexts.push_back(narrow);
        waitingOpen_ = true;
        return reinterpret_cast<CWaitingGump*>(&waitingGump_);
    }
    BOOL IsGumpOpen(const void* gump) override { return gump == &waitingGump_ && waitingOpen_; }
    void CloseDragGump() override { ++dragGumpCloses; }
    // The screen update the connection runs while it waits.
    void UpdateScreen() override { ++screenUpdates; }
    void BeginWait() override { mouseCalls.push_back("BeginWait"); }
    void EndWait() override { mouseCalls.push_back("EndWait"); }
    void SetCursorType(int kind) override {
        mouseCalls.push_back("SetCursorType " + std::to_string(kind));
    }
    void SetMode(CInputWindow*, int mode) override {
        inputWindowCalls.push_back("SetMode " + std::to_string(mode));
    }
    void UpdatePrompt(CInputWindow*) override { inputWindowCalls.push_back("UpdatePrompt"); }
    void OpenHelpMailGump(int, const M_WORD*, const M_WORD*, int, int, const M_WORD* subject, int,
                          const M_WORD*, const M_WORD*, const M_WORD*) override {
        std::string narrow;
        for (const M_WORD* p = subject; p && *p; ++p) narrow.push_back(static_cast<char>(*p));
        helpMailWindows.push_back(narrow);
    }
    const char* GetCurrentCharacterName() override { return characterName.c_str(); }
    const char* GetCurrentShardName() override { return shardName.c_str(); }

private:
    // Stands for the one open waiting gump; never dereferenced.
    char waitingGump_ = 0;
    bool waitingOpen_ = false;

    tw::ScopedService<ConnectionEvents> events_{this};
    tw::ScopedService<ConnectionWindows> windows_{this};
    tw::ScopedService<ScreenUpdate> screen_{this};
};

}  // namespace tw::doubles
