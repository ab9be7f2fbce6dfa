// Recording doubles of the services above the application's own modules
// that are not built yet: the world view's play-area gump and path step, the
// weather, the game dialogs, the communication dialogs, the login screens,
// the application's login sends and target requests, and the network
// layer's target answers.  Each installs itself while it lives.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Service.h"
#include "app/App.h"
#include "comm/Comm.h"
#include "dialogs/Dialogs.h"
#include "dialogs/SpellBook.h"
#include "login/LoginState.h"
#include "login/MainMenuGump.h"
#include "net/PacketManager.h"
#include "view/MapGump.h"
#include "view/WorldView.h"
#include "world/SpeakerRecord.h"
#include "world/TargetRequests.h"
#include "world/WeatherManager.h"

namespace tw::doubles {

// The world view's services that are not built yet, as the application and
// the platform reach them: the play-area gump and the path step.
class RecordingViewServices final : public WorldViewService, public MapGumpService {
public:
    int hoverForgets = 0;
    int pathSteps = 0;

    void FollowPathStep() override { ++pathSteps; }
    void ForgetObjectUnderPointer() override { ++hoverForgets; }
    CMapGump* MakeMapGump() override { return new CMapGump(); }

private:
    tw::ScopedService<WorldViewService> view_{this};
    tw::ScopedService<MapGumpService> mapGump_{this};
};

class RecordingWeather final : public WeatherService {
public:
    // Every Scroll (dx, dy) and SetWeather (type, count, temperature);
    // Update and Stop are counted.
    std::vector<std::pair<int, int>> scrolls;
    std::vector<std::vector<int>> weather;
    int updates = 0;
    int stops = 0;

    void startup() override {}
    void shutdown() override {}
    void Update() override { ++updates; }
    void Scroll(int dx, int dy) override { scrolls.emplace_back(dx, dy); }
    void Stop() override { ++stops; }
    void SetWeather(int type, int count, int temperature) override {
        weather.push_back({type, count, temperature});
    }

private:
    tw::ScopedService<WeatherService> installed_{this};
};

// The game dialogs: the skill and spell tables a test sets, and the calls
// of the target bars and the player's gumps ("SetLastTarget",
// "RefreshStatus", "PaperdollWar <0|1>"), and the server's queries as
// "Query <serial> <id> '<prompt>' <flag> <style> <limit> '<description>'",
// "Hue <serial> <echo> <art>" and "Name '<name>'" (answered with
// nameRequestPending).
class RecordingDialogs final : public DialogsService {
public:
    std::vector<std::string> skillNames;
    std::vector<std::string> spellTableNames;
    int skillListRequests = 0;
    std::vector<CObj*> lastTargets;
    std::vector<std::string> playerGumpCalls;
    std::vector<std::string> queryCalls;
    BOOL nameRequestPending = FALSE;

    int GetSkillNameCount() override { return static_cast<int>(skillNames.size()); }
    const char* GetSkillName(int index) override {
        if (index < 0 || index >= GetSkillNameCount()) return nullptr;
        return skillNames[index].c_str();
    }
    void NoteSkillListRequested() override { ++skillListRequests; }
    const char* GetSpellTableName(int spell) override {
        if (spell < 0 || spell >= SPELL_TABLE_SIZE ||
            spell >= static_cast<int>(spellTableNames.size()))
            return nullptr;
        return spellTableNames[spell].c_str();
    }
    void SetLastTarget(CObj* mobile) override { lastTargets.push_back(mobile); }
    void RefreshPlayerStatusGumps() override { playerGumpCalls.push_back("RefreshStatus"); }
    void ShowPaperdollWarMode(BOOL war) override {
        playerGumpCalls.push_back(war ? "PaperdollWar 1" : "PaperdollWar 0");
    }
    void OpenStringQuery(M_DWORD serial, M_WORD queryId, const char* prompt, int flag, int style,
                         M_DWORD limit, const char* description) override {
        queryCalls.push_back("Query " + std::to_string(serial) + " " + std::to_string(queryId) +
                             " '" + prompt + "' " + std::to_string(flag) + " " +
                             std::to_string(style) + " " + std::to_string(limit) + " '" +
                             description + "'");
    }
    void OpenHuePicker(M_DWORD serial, M_WORD echo, M_WORD itemArt) override {
        queryCalls.push_back("Hue " + std::to_string(serial) + " " + std::to_string(echo) + " " +
                             std::to_string(itemArt));
    }
    BOOL AnswerNameRequest(const char* name) override {
        queryCalls.push_back(std::string("Name '") + name + "'");
        const BOOL answered = nameRequestPending;
        nameRequestPending = FALSE;
        return answered;
    }

private:
    tw::ScopedService<DialogsService> installed_{this};
};

// The communication dialogs: the message store's deletions, the chat-open
// messages built (an empty name field: id 0xB5 and 63 zero bytes, so that a
// test server sees it arrive), the help-mail windows by subject, the texts
// the word filter saw (after its masking of obsceneWords, as "8: text" and
// "16: text" with units above 127 as \u{XXXX}) and the Unicode texts shown
// over objects with the speaker record as it stood.
class RecordingComm final : public CommService {
public:
    int htmlMessageDeletes = 0;
    int chatOpens = 0;
    std::vector<std::string> helpMailWindows;
    std::vector<std::string> obsceneWords;
    std::vector<std::string> filtered;
    struct UnicodeBark {
        CDynamicObj* object;
        std::vector<M_WORD> text;
        int hue;
        int font;
        std::string language;
        CGump* gump;
        std::string speakerName;
        int speechKind;
    };
    std::vector<UnicodeBark> unicodeBarks;

    // The texts made, which tests delete.
    std::vector<std::string> barkTexts;
    CGump* MakeBarkGump(CObj*, const char* text, int, int) override {
        barkTexts.push_back(text ? text : "");
        return new CGump();
    }
    void DeleteHtmlMessages() override { ++htmlMessageDeletes; }
    void SendChatOpen(PDSTRUCT* buffer, const M_WORD*) override {
        ++chatOpens;
        PacketManager::BeginPacket(buffer, 0xB5);
        for (int i = 1; i < 64; ++i) PacketManager::WriteU8(buffer, 0);
    }
    void OpenHelpMailGump(int, const M_WORD*, const M_WORD*, int, int, const M_WORD* subject, int,
                          const M_WORD*, const M_WORD*, const M_WORD*) override {
        std::string narrow;
        for (const M_WORD* p = subject; p && *p; ++p) narrow.push_back(static_cast<char>(*p));
        helpMailWindows.push_back(narrow);
    }
    void FilterProfanity(char* text) override {
        for (const std::string& word : obsceneWords)
            for (char* p = text; p && (p = strstr(p, word.c_str())) != nullptr; p += word.size())
                memcpy(p, kMask, std::min(word.size(), sizeof kMask - 1));
        filtered.push_back(std::string("8: ") + (text ? text : ""));
    }
    void FilterProfanityUnicode(M_WORD* text) override {
        std::string shown = "16: ";
        for (M_WORD* u = text; u && *u; ++u) {
            for (const std::string& word : obsceneWords) {
                size_t n = 0;
                while (n < word.size() && u[n] == static_cast<unsigned char>(word[n])) ++n;
                if (n == word.size())
                    for (size_t i = 0; i < n && i < sizeof kMask - 1; ++i)
                        u[i] = static_cast<M_BYTE>(kMask[i]);
            }
            if (*u < 128) {
                shown += static_cast<char>(*u);
            } else {
                char hex[16];
                snprintf(hex, sizeof hex, "\\u{%04X}", *u);
                shown += hex;
            }
        }
        filtered.push_back(shown);
    }
    void ShowUnicodeBark(CDynamicObj* object, const M_WORD* text, int hue, int font,
                         const char* language, CGump* gump) override {
        std::vector<M_WORD> units;
        for (const M_WORD* p = text; p && *p; ++p) units.push_back(*p);
        unicodeBarks.push_back({object, units, hue, font, language ? language : "", gump,
                                g_speakerName, g_speechKind});
    }

private:
    static constexpr char kMask[] = "!@#$%&*";
    tw::ScopedService<CommService> installed_{this};
};

// The login screens: the names they answer, and the quit questions opened.
class RecordingLogin final : public LoginService {
public:
    std::string characterName;
    std::string shardName;
    bool quitQuestionOpen = false;
    std::vector<std::string> quitQuestions;

    CMainMenuGump* MakeMainMenuGump() override { return new CMainMenuGump(); }
    const char* GetCurrentCharacterName() override { return characterName.c_str(); }
    const char* GetCurrentShardName() override { return shardName.c_str(); }
    BOOL IsQuitQuestionOpen() override { return quitQuestionOpen ? TRUE : FALSE; }
    void OpenQuitQuestion(const char* text) override {
        quitQuestions.push_back(text ? text : "");
        quitQuestionOpen = true;
    }

private:
    tw::ScopedService<LoginService> installed_{this};
};

// The application's target cursor as the world model asks for it
// ("BeginTarget <command> <kind> <number>").
class RecordingRequests final : public TargetRequests {
public:
    std::vector<std::string> calls;

    void BeginTarget(const char* command, int kind, int number) override {
        calls.push_back(std::string("BeginTarget ") + (command ? command : "") + " " +
                        std::to_string(kind) + " " + std::to_string(number));
    }

private:
    tw::ScopedService<TargetRequests> targets_{this};
};

}  // namespace tw::doubles
