#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "MacroTestSupport.h"
#include "gumps/GumpManager.h"
#include "view/Repaint.h"
#include "world/Mobile.h"
#include "world/Player.h"

namespace {

using tw::test::Bytes;
using tw::test::TextCommandBytes;

constexpr M_DWORD kPlayer = 0x00001234;
constexpr M_DWORD kBackpack = 0x40000010;

Bytes Serial(M_BYTE id, M_DWORD serial) {
    return {id, static_cast<M_BYTE>(serial >> 24), static_cast<M_BYTE>(serial >> 16),
            static_cast<M_BYTE>(serial >> 8), static_cast<M_BYTE>(serial)};
}

// The macro actions against a loopback server, with a player who wears a
// backpack and a small world of real objects.
class MacroActionTest : public tw::test::ConnectedMacroTest {
protected:
    void SetUp() override {
        ConnectedMacroTest::SetUp();
        pPlayerObject = new CPlayer(kPlayer);
        pPlayerObject->objectType = 0x190;
        pPlayerObject->locX = 100;
        pPlayerObject->locY = 200;
        pPlayerObject->z = -5;
        Wear(kBackpack, 21);
    }

    // An object the server named (in the void); a mobile of body 400.
    CObj* Object(M_DWORD serial, bool mobile = false) {
        if (mobile) return new CMobile(serial, 400, 0);
        return NewDynamicObj(serial, 1, 0);
    }
    CObj* Wear(M_DWORD serial, int layer) {
        CObj* item = Object(serial);
        item->ToEquipped(pPlayerObject, layer);
        return item;
    }
    // Runs one action line (with its argument already parsed).
    BOOL Run(const std::string& line, int argument = -1) {
        CMacro* macro = AddMacro({line});
        if (argument >= 0) macro->actions[0].argument = argument;
        return CApp::ExecuteMacro(macro, 0);
    }
    std::vector<std::string> Notices() {
        std::vector<std::string> shown;
        for (const auto& m : gumps.text.systemMessages) shown.push_back(m.text);
        return shown;
    }
};

TEST_F(MacroActionTest, SpeechGoesThroughTheTextManager) {
    Run("Say hello there");
    Run("Emote waves");
    Run("Whisper psst");
    Run("Yell HEY");
    const auto& speech = gumps.text.speech;
    ASSERT_EQ(speech.size(), 4u);
    EXPECT_EQ(speech[0].text, "hello there");
    EXPECT_EQ(speech[0].length, 11) << "the length counts the characters, not the terminator";
    const int types[] = {0, 2, 8, 9};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(speech[i].type, types[i]);
}

TEST_F(MacroActionTest, TextCommands) {
    struct Case {
        const char* line;
        int argument;
        Bytes sent;
    };
    const Case cases[] = {
        {"OpenDoor", -1, TextCommandBytes(0x58, "")},
        {"UseSkill", 12, TextCommandBytes(0x24, "12 0")},
        {"LastSkill", -1, TextCommandBytes(0x24, "12 0")},
        {"CastSpell", 0, TextCommandBytes(0x56, "1")},
        {"CastSpell", 63, TextCommandBytes(0x56, "64")},
        {"Bow", -1, TextCommandBytes(0xC7, "bow")},
        {"Salute", -1, TextCommandBytes(0xC7, "salute")},
        {"Open Spellbook", -1, TextCommandBytes(0x43, "")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_TRUE(Run(c.line, c.argument));
        EXPECT_EQ(Sent(1), std::vector<Bytes>{c.sent});
    }
    // Without a last spell nothing is cast; with one it is, counted from 1.
    Run("LastSpell");
    EXPECT_TRUE(SendsNothing());
    LastSpellCast = 20;
    Run("LastSpell");
    EXPECT_EQ(Sent(1), std::vector<Bytes>{TextCommandBytes(0x56, "21")});
}

TEST_F(MacroActionTest, OpeningWindows) {
    Run("Open Paperdoll");
    Run("Open Status");
    Run("Open Skills");
    Run("Open Backpack");
    Bytes status = {0x34, 0xED, 0xED, 0xED, 0xED, 4, 0, 0, 0x12, 0x34};
    Bytes skills = status;
    skills[5] = 5;
    EXPECT_EQ(Sent(4), (std::vector<Bytes>{Serial(0x06, kPlayer | 0x80000000u), status, skills,
                                           Serial(0x06, kBackpack)}));
    EXPECT_EQ(dialogs.skillListRequests, 1);

    Run("Open Configuration");
    Run("Open Journal");
    Run("Open Overview");
    Run("Open Mail");
    // The player's status, the journal, the overview and the mail window are
    // made; the configuration window finds no art of its own here.
    EXPECT_EQ(gumps.hooks.calls,
              (std::vector<std::string>{"CreateStatusGump 0 0", "CreateTextGump 0 0",
                                        "CreateRadarGump 0 0", "CreateMailGump 120 90"}));
}

TEST_F(MacroActionTest, ChatIsRaisedOrAskedFor) {
    Run("Open Chat");
    Bytes chatOpen(64, 0);
    chatOpen[0] = 0xB5;
    EXPECT_EQ(Sent(1), std::vector<Bytes>{chatOpen});

    tw::doubles::Listed<tw::doubles::RecordingGump> chat;
    CGumpManager::pChatGump = &chat;
    tw::doubles::Listed<CGump> over;
    Run("Open Chat");
    EXPECT_TRUE(SendsNothing());
    EXPECT_EQ(g_gumpList, &chat) << "raised";
}

TEST_F(MacroActionTest, ClosingMinimizingAndRestoringWindows) {
    struct Journal : tw::doubles::RecordingGump {
        BOOL IsTextGump() override { return TRUE; }
    };
    tw::doubles::Listed<Journal> journal;
    Run("Minimize Journal");
    EXPECT_TRUE(journal.minimized);
    Run("Maximize Journal");
    EXPECT_FALSE(journal.minimized);
    Run("Minimize Status");  // not open
    Run("Close", 12);        // no such window
    EXPECT_FALSE(journal.minimized);

    CGumpManager::pMailGump = new tw::doubles::Listed<CGump>;
    Run("Close Mail");
    EXPECT_EQ(tw::doubles::DeletedGumps(), 1);
    EXPECT_EQ(CGumpManager::pMailGump, nullptr);
}

TEST_F(MacroActionTest, WalkingStopsFollowingFirst) {
    pPlayerObject->following = TRUE;
    Run("Walk NW");
    Run("Walk N");
    Run("Walk W");
    Run("Walk", 9);  // no such direction: no step
    // Each walk turns the player (facing north, then north-west, ...), so
    // the walk requests go out without any floor to stand on.
    EXPECT_EQ(Sent(3),
              (std::vector<Bytes>{
                  {0x02, 7, 0, 0, 0, 0, 0}, {0x02, 0, 1, 0, 0, 0, 0}, {0x02, 6, 2, 0, 0, 0, 0}}));
    EXPECT_TRUE(SendsNothing());
    EXPECT_EQ(texts.TextsOf(pPlayerObject), std::vector<std::string>{"Stopped following."});
}

TEST_F(MacroActionTest, TargetCursorAnswers) {
    // Without a cursor LastTarget fails (the step engine retries it) and
    // TargetSelf does nothing.
    EXPECT_FALSE(Run("LastTarget"));
    EXPECT_TRUE(Run("TargetSelf"));
    EXPECT_TRUE(SendsNothing());

    g_targetCursorId = 0x0A0B0C0D;
    g_targetCursorFlag = 1;
    auto target = [](M_BYTE type, M_DWORD serial, M_WORD x, M_WORD y, M_WORD z, M_WORD graphic) {
        return Bytes{0x6C,
                     type,
                     0x0A,
                     0x0B,
                     0x0C,
                     0x0D,
                     1,
                     static_cast<M_BYTE>(serial >> 24),
                     static_cast<M_BYTE>(serial >> 16),
                     static_cast<M_BYTE>(serial >> 8),
                     static_cast<M_BYTE>(serial),
                     static_cast<M_BYTE>(x >> 8),
                     static_cast<M_BYTE>(x),
                     static_cast<M_BYTE>(y >> 8),
                     static_cast<M_BYTE>(y),
                     static_cast<M_BYTE>(z >> 8),
                     static_cast<M_BYTE>(z),
                     static_cast<M_BYTE>(graphic >> 8),
                     static_cast<M_BYTE>(graphic)};
    };
    struct Case {
        int kind;
        Bytes sent;
    };
    const Case cases[] = {
        {1, target(0, 0x55, 0, 0, 0, 0)},
        {2, target(1, 0, 300, 400, 0xFFFE, 0)},
        {3, target(1, 0, 300, 400, 0xFFFE, 0x0EED)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        g_lastTarget = {c.kind, 0x55, 300, 400, -2, 0x0EED};
        CApp::SetTargetCursor();
        EXPECT_TRUE(Run("LastTarget"));
        EXPECT_FALSE(CApp::targeting);
        EXPECT_EQ(Sent(1), std::vector<Bytes>{c.sent});
    }
    // No stored target: the cursor just goes.
    g_lastTarget = {};
    CApp::SetTargetCursor();
    EXPECT_TRUE(Run("LastTarget"));
    EXPECT_FALSE(CApp::targeting);
    EXPECT_TRUE(SendsNothing());

    CApp::SetTargetCursor();
    Run("TargetSelf");
    EXPECT_FALSE(CApp::targeting);
    EXPECT_EQ(Sent(1), std::vector<Bytes>{target(0, kPlayer, 100, 200, 0xFFFB, 0x190)});
}

TEST_F(MacroActionTest, TargetNextCyclesThroughTheMobilesOnScreen) {
    Run("TargetNext");
    EXPECT_EQ(Notices(), std::vector<std::string>{"There are no mobiles on screen to select."});
    Run("AttackLast");
    EXPECT_EQ(Notices().back(), "You have no last target set.");

    CObj* a = Object(0x101, true);
    CObj* b = Object(0x102, true);
    view.mobilesOnScreen = {a, b};
    Run("TargetNext");
    Run("AttackLast");
    Run("TargetNext");
    Run("AttackLast");
    Run("TargetNext");  // wraps round
    EXPECT_EQ(dialogs.lastTargets, (std::vector<CObj*>{a, b, a}));
    // The last one chosen is gone: start from the first again.
    view.mobilesOnScreen = {b};
    Run("TargetNext");
    Run("AttackLast");
    EXPECT_EQ(Sent(3),
              (std::vector<Bytes>{Serial(0x05, 0x101), Serial(0x05, 0x102), Serial(0x05, 0x102)}));
}

TEST_F(MacroActionTest, AllNamesAsksForMobilesAndCorpsesOnScreen) {
    view.mobilesOnScreen = {Object(0x201, true), Object(0x202, true)};
    view.corpsesOnScreen = {Object(0x40000301)};
    Run("AllNames");
    EXPECT_EQ(Sent(3), (std::vector<Bytes>{Serial(0x09, 0x201), Serial(0x09, 0x202),
                                           Serial(0x09, 0x40000301)}));
}

TEST_F(MacroActionTest, ArmAndDisarm) {
    // Nothing held and nothing remembered.
    Run("Arm/Disarm LeftHand");
    EXPECT_EQ(Notices().back(), "You must first disarm a weapon in order to arm one.");

    // Within 22 ticks of the last attempt the action waits.
    Run("Arm/Disarm LeftHand");
    EXPECT_EQ(Notices().back(), "You must wait to perform another action.");
    g_armDisarmCooldown = 0;
    Run("Arm/Disarm", 0);
    EXPECT_EQ(Notices().back(), "You must select the right or left arm in the macro options.");

    // Disarm the left hand's weapon (layer 2) into the backpack...
    g_armDisarmCooldown = 0;
    Wear(0x40000501, 2);
    Run("Arm/Disarm LeftHand");
    Bytes drop = {0x08, 0x40, 0, 0x05, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0x40, 0, 0, 0x10};
    EXPECT_EQ(Sent(2), (std::vector<Bytes>{{0x07, 0x40, 0, 0x05, 0x01, 0, 0}, drop}));

    // ... and arm it again once it has left the hand.
    g_armDisarmCooldown = 0;
    pPlayerObject->equippedItem[2]->ToVoid();
    Run("Arm/Disarm LeftHand");
    Bytes equip = {0x13, 0x40, 0, 0x05, 0x01, 2, 0, 0, 0x12, 0x34};
    EXPECT_EQ(Sent(2), (std::vector<Bytes>{{0x07, 0x40, 0, 0x05, 0x01, 0, 0}, equip}));
    EXPECT_EQ(CObjectManager::held.serial, 0x40000501u) << "the held-item record names it";
    EXPECT_EQ(g_armDisarmCooldown, 22);
}

TEST_F(MacroActionTest, SmallActions) {
    Run("War/Peace");
    Bytes war = Sent(1).at(0);
    EXPECT_EQ(war[0], 0x72);
    EXPECT_EQ(war[1], 1);

    g_macroState.lastObject = 0x777;
    Run("LastObject");  // gone
    Object(0x777);
    Run("LastObject");
    EXPECT_EQ(CObjectManager::lastUsedSerial, 0x777u);
    EXPECT_EQ(Sent(1), (std::vector<Bytes>{{0x06, 0, 0, 0x07, 0x77}})) << "the use request";

    Run("QuitGame");
    Run("QuitGame");  // already asked
    EXPECT_EQ(login.quitQuestions, std::vector<std::string>{"Quit         Tarrowmere?"});

    BOOL circle = UseCircleTrans;
    DirtyList::fullRepaintPending = FALSE;
    Run("CircleTrans");
    EXPECT_EQ(UseCircleTrans, !circle);
    EXPECT_TRUE(DirtyList::fullRepaintPending) << "the whole screen is repainted";
    DirtyList::fullRepaintPending = FALSE;

    Run("Command anything");
    Run("Paste");
    EXPECT_TRUE(SendsNothing());
}

TEST_F(MacroActionTest, DelayLengths) {
    struct Case {
        const char* line;
        int ticks;
    };
    const Case cases[] = {{"Delay 15", 15}, {"Delay -5", 0}, {"Delay abc", 0},
                          {"Delay", 0},     {"Delay 7x", 7}, {"Delay 99999999999", INT_MAX}};
    for (const Case& c : cases) {
        Run(c.line);
        EXPECT_TRUE(g_macroState.delayActive) << c.line;
        EXPECT_EQ(g_macroState.delayLength, c.ticks) << c.line;
    }
}

}  // namespace
