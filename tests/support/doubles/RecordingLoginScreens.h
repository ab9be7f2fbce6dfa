// A recording double of the login screens as the login road changes them
// (login/LoginRoad.h).  It keeps which gumps are open and records every
// call as a line ("Close 0x1", "OpenBox <parent> <logout> <text>",
// "Shard <id> <hue> <text>", "AddCharacter <slot> <name> <password>" ...).
// It installs itself while it lives.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "Service.h"
#include "login/LoginRoad.h"

namespace tw::doubles {

class RecordingLoginScreens final : public LoginScreens {
public:
    unsigned open = 0;  // the kinds open now
    std::vector<std::string> calls;

    static std::string Hex(unsigned v) {
        char text[16];
        snprintf(text, sizeof text, "0x%X", v);
        return text;
    }

    BOOL IsOpen(LoginGumpKind gump) override { return (open & gump) != 0; }
    void Close(unsigned kinds) override {
        calls.push_back("Close " + Hex(kinds));
        open &= ~kinds;
    }
    void SetInputEnabled(LoginGumpKind gump, BOOL on) override {
        calls.push_back("Input " + Hex(gump) + " " + std::to_string(on));
    }
    void OpenBox(const char* text, LoginGumpKind parent, int logout) override {
        calls.push_back("OpenBox " + Hex(parent) + " " + std::to_string(logout) + " " + text);
        open |= kLoginWaitingGump;
    }
    void ShowShardChoice(const ShardChoiceLine* lines, int count, BOOL timeZoneList) override {
        calls.push_back("ShowShards " + std::to_string(count) + " " + std::to_string(timeZoneList));
        for (int i = 0; i < count; ++i)
            calls.push_back("Shard " + std::to_string(lines[i].id) + " " +
                            std::to_string(lines[i].hue) + " " + lines[i].text);
        open |= kLoginShardChoiceGump;
    }
    void NewCharacterList() override {
        calls.push_back("NewCharacterList");
        open |= kLoginCharSelectGump;
    }
    void AddCharacter(const char* name, const char* password, int slot) override {
        calls.push_back("AddCharacter " + std::to_string(slot) + " " + name + " " + password);
    }
    void RemoveCharacter(int slot) override {
        calls.push_back("RemoveCharacter " + std::to_string(slot));
    }
    void ShowCharacterList() override { calls.push_back("ShowCharacterList"); }
    void StartCharacterCreation() override {
        calls.push_back("StartCharacterCreation");
        open &= ~kLoginCharSelectGump;
    }
    void AcceptCharacterList() override { calls.push_back("AcceptCharacterList"); }
    void SetWindowTitle(const char* title) override {
        calls.push_back(std::string("Title ") + title);
    }
    void OpenWaiting(const char* text) override {
        calls.push_back(std::string("OpenWaiting ") + text);
        open |= kLoginWaitingGump;
    }

private:
    tw::ScopedService<LoginScreens> installed_{this};
};

}  // namespace tw::doubles
