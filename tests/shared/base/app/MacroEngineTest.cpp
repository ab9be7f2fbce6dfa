#include <string>
#include <vector>

#include "MacroTestSupport.h"

namespace {

using tw::test::Bytes;
using tw::test::TextCommandBytes;

class MacroEngineTest : public tw::test::ConnectedMacroTest {
protected:
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) CApp::MacroTick();
    }
};

TEST_F(MacroEngineTest, DelayAndTargetWaitAgainstTheServer) {
    AddMacro({"UseSkill", "Delay 2", "WaitForTarg", "LastTarget", "Bow"});
    g_macroList->actions[0].argument = 3;
    g_lastTarget.kind = 1;
    g_lastTarget.serial = 0x00ABCDEF;

    CApp::StartMacro(0);
    Ticks(1);  // UseSkill
    EXPECT_EQ(Sent(1), std::vector<Bytes>{TextCommandBytes(0x24, "3 0")});

    // The delay starts, then counts 1, 2 and 3: only the fourth tick after
    // it moves on, to start the wait.  Nothing goes out meanwhile.
    Ticks(4);
    EXPECT_TRUE(g_macroState.delayActive == FALSE);
    EXPECT_EQ(g_macroState.waitCounter, 0);
    Ticks(1);
    EXPECT_EQ(g_macroState.waitCounter, 1);
    Ticks(20);
    EXPECT_TRUE(SendsNothing());

    // The server's target cursor comes up: the wait ends in that tick, the
    // next answers with the last target, the one after bows.
    CApp::SetTargetCursor();
    g_targetCursorId = 0x01020304;
    Ticks(1);
    EXPECT_EQ(g_macroState.waitCounter, 0);
    EXPECT_TRUE(CApp::targeting);
    Ticks(1);
    EXPECT_FALSE(CApp::targeting);
    Ticks(1);
    EXPECT_FALSE(g_macroState.isRunning);

    Bytes target = {0x6C, 0, 0x01, 0x02, 0x03, 0x04, 0, 0x00, 0xAB, 0xCD,
                    0xEF, 0, 0,    0,    0,    0,    0, 0,    0};
    EXPECT_EQ(Sent(2), (std::vector<Bytes>{target, TextCommandBytes(0xC7, "bow")}));
    Ticks(5);
    EXPECT_TRUE(SendsNothing());
}

TEST_F(MacroEngineTest, ActionWithoutItsTargetCursorIsRetriedTenTimes) {
    new tw::doubles::Listed<CGump>;  // a gump that CloseGumps closes
    AddMacro({"LastTarget", "CloseGumps"});
    CApp::StartMacro(0);
    Ticks(10);
    EXPECT_TRUE(g_macroState.isRunning);
    Ticks(1);  // the eleventh failure
    EXPECT_FALSE(g_macroState.isRunning);
    Ticks(3);
    EXPECT_EQ(tw::doubles::DeletedGumps(), 0);

    // A cursor that comes up in time lets the macro go on.
    CApp::StartMacro(0);
    Ticks(5);
    CApp::SetTargetCursor();
    Ticks(2);
    EXPECT_EQ(tw::doubles::DeletedGumps(), 1) << "the gumps are closed";
}

TEST_F(MacroEngineTest, TargetWaitGivesUpAfter100Ticks) {
    new tw::doubles::Listed<CGump>;  // a gump that CloseGumps closes
    AddMacro({"WaitForTarg", "CloseGumps"});
    CApp::StartMacro(0);
    Ticks(101);
    EXPECT_EQ(tw::doubles::DeletedGumps(), 0);
    Ticks(1);
    EXPECT_EQ(tw::doubles::DeletedGumps(), 1) << "the gumps are closed";
}

TEST_F(MacroEngineTest, StartingWhileRunningOnlyClearsTheWaits) {
    new tw::doubles::Listed<CGump>;  // a gump that CloseGumps closes
    AddMacro({"Delay 50", "CloseGumps"});
    AddMacro({"OpenDoor"});
    CApp::StartMacro(0);
    Ticks(2);
    ASSERT_TRUE(g_macroState.delayActive);
    CApp::StartMacro(1);  // the running macro goes on, without its delay
    Ticks(1);
    EXPECT_EQ(tw::doubles::DeletedGumps(), 1) << "the gumps are closed";
    EXPECT_FALSE(g_macroState.isRunning);
    EXPECT_TRUE(SendsNothing());
}

TEST_F(MacroEngineTest, RunMacroRunsEveryActionAtOnce) {
    AddMacro({"Bow"});
    AddMacro({"OpenDoor", "Delay 99", "Salute", "CastSpell"});
    g_macroList->next->actions[3].argument = 5;
    CApp::RunMacro(1);
    EXPECT_EQ(Sent(3),
              (std::vector<Bytes>{TextCommandBytes(0x58, ""), TextCommandBytes(0xC7, "salute"),
                                  TextCommandBytes(0x56, "6")}));
    CApp::RunMacro(2);  // no such macro
    CApp::RunMacro(-1);
    EXPECT_TRUE(SendsNothing());
}

TEST_F(MacroEngineTest, BeforeLoginCompletesOnlyThePasteAndLaterActionsRun) {
    new tw::doubles::Listed<CGump>;  // a gump that CloseGumps closes
    g_loginComplete = FALSE;
    AddMacro({"Say hi", "Bow", "OpenDoor", "CloseGumps", "AttackLast"});
    CApp::RunMacro(0);
    EXPECT_TRUE(gumps.text.speech.empty());
    EXPECT_EQ(tw::doubles::DeletedGumps(), 1) << "the gumps are closed";
    ASSERT_EQ(gumps.text.systemMessages.size(), 1u);
    EXPECT_EQ(gumps.text.systemMessages[0].text, "You have no last target set.");
    EXPECT_TRUE(SendsNothing());
}

TEST_F(MacroEngineTest, ReloadingTheListStopsTheRunningMacro) {
    AddMacro({"Delay 5", "Bow"});
    CApp::StartMacro(0);
    Ticks(1);
    CApp::LoadMacros();  // no "macros.txt": the list is gone
    Ticks(10);
    EXPECT_FALSE(g_macroState.isRunning);
    EXPECT_TRUE(SendsNothing());

    // A wait of the macro that went with the list does not hold up the
    // next macro.
    AddMacro({"WaitForTarg", "Bow"});
    CApp::StartMacro(0);
    Ticks(1);
    ASSERT_NE(g_macroState.waitCounter, 0);
    CApp::LoadMacros();
    AddMacro({"OpenDoor"});
    CApp::StartMacro(0);
    Ticks(1);
    EXPECT_EQ(Sent(1), std::vector<Bytes>{TextCommandBytes(0x58, "")});
}

TEST_F(MacroEngineTest, ResetForgetsTheLastValues) {
    AddMacro({"UseSkill", "LastSkill", "LastSpell", "LastObject"});
    g_macroList->actions[0].argument = 4;
    LastSpellCast = 9;
    CApp::RunMacro(0);
    EXPECT_EQ(Sent(3),
              (std::vector<Bytes>{TextCommandBytes(0x24, "4 0"), TextCommandBytes(0x24, "4 0"),
                                  TextCommandBytes(0x56, "10")}));
    CApp::ResetMacroState();
    EXPECT_EQ(LastSpellCast, -1);
    EXPECT_EQ(g_macroState.lastSkill, -1);
    EXPECT_EQ(g_macroState.lastObject, -1);
    // UseSkill sets the last skill again, so only the later actions show it.
    g_macroList->actions[0].action = MACRO_NULL;
    CApp::RunMacro(0);
    EXPECT_TRUE(SendsNothing());
}

}  // namespace
