#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "MacroTestSupport.h"

namespace {

using tw::test::ReadFile;
using tw::test::WriteFile;

class MacroFileTest : public tw::test::MacroTest {
protected:
    void SetUp() override {
        MacroTest::SetUp();
        dialogs.skillNames = {"Alchemy", "Animal Lore", "Hiding"};
        dialogs.spellTableNames = {"Spark (Ka)", "Mend Wounds (Re Ka)"};
    }
};

// One macro of every kind of argument, in the form the client writes.
const char* const kFixture =
    "F1 0 1 0\n"
    "Say hello there\n"
    "Walk NE\n"
    "Open Backpack\n"
    "UseSkill Animal Lore\n"
    "CastSpell Mend Wounds\n"
    "Arm/Disarm LeftHand\n"
    "Bow \n"
    "Delay 20\n"
    "Emote \n"
    "NULL \n"
    "########\n"
    "a 1 0 1\n"
    "Minimize Mail\n"
    "Arm/Disarm RightHand\n"
    "WaitForTarg \n"
    "LastTarget \n"
    "########\n"
    "Return 0 0 0\n"
    "########\n";

TEST_F(MacroFileTest, FixtureRoundTripsByteForByte) {
    WriteFile("macros.txt", kFixture);
    CApp::LoadMacros();

    ASSERT_EQ(g_macroCount, 3);
    const CMacro* f1 = g_macroList;
    EXPECT_EQ(f1->keyCode, 112u);
    EXPECT_EQ(f1->keySym, 0xFFBEu | MACRO_KEYSYM_BIT);
    EXPECT_EQ(f1->control, 0u);
    EXPECT_EQ(f1->alt, 1u);
    EXPECT_EQ(f1->shift, 0u);
    ASSERT_EQ(f1->actionCount, 10u);
    EXPECT_STREQ(f1->actions[0].text, "hello there");
    EXPECT_EQ(f1->actions[1].argument, 2);  // NE
    EXPECT_EQ(f1->actions[2].argument, MACRO_WINDOW_BACKPACK);
    EXPECT_EQ(f1->actions[3].argument, 1);  // Animal Lore
    EXPECT_EQ(f1->actions[4].argument, 1);  // Mend Wounds
    EXPECT_EQ(f1->actions[5].argument, 1);  // left hand
    EXPECT_EQ(f1->actions[9].action, MACRO_NULL);
    const CMacro* a = f1->next;
    EXPECT_EQ(a->keyCode, 65u);
    EXPECT_EQ(a->control, 1u);
    EXPECT_EQ(a->shift, 1u);
    EXPECT_EQ(a->actions[1].argument, 2);  // right hand
    EXPECT_EQ(a->next->keyCode, 13u);
    EXPECT_EQ(a->next->actionCount, 0u);

    unlink("macros.txt");
    CApp::SaveMacros();
    EXPECT_EQ(ReadFile("macros.txt"), kFixture);
}

TEST_F(MacroFileTest, MalformedHeadersSkipTheirBlock) {
    WriteFile("macros.txt",
              "Home 0 1\n"  // two flags
              "Say one\n"
              "########\n"
              "\n"
              "0 0 0\n"  // flags but no name
              "Say two\n"
              "########\n"
              "NoSuchKey 0 0 0\n"  // a name X does not know
              "Say three\n"
              "Say three more\n"
              "########\n"
              "0\n"  // one character, no room for flags
              "########\n"
              "\n\n"
              "A 0 0 1\n"  // upper case: found through 'a'
              "Say four\n"
              "#\n"
              "F2 1 1 1\n"
              "Say five");  // last line without an end
    CApp::LoadMacros();

    ASSERT_EQ(g_macroCount, 2);
    EXPECT_EQ(g_macroList->keyCode, 65u);
    EXPECT_EQ(g_macroList->keySym, 'a' | MACRO_KEYSYM_BIT);
    ASSERT_EQ(g_macroList->actionCount, 1u);
    EXPECT_STREQ(g_macroList->actions[0].text, "four");
    const CMacro* f2 = g_macroList->next;
    EXPECT_EQ(f2->keyCode, 113u);
    ASSERT_EQ(f2->actionCount, 1u);
    EXPECT_STREQ(f2->actions[0].text, "five");
    EXPECT_NE(ReportLog().find("malformed macro header 'Home 0 1' skipped"), std::string::npos);
}

TEST_F(MacroFileTest, ElevenActionLinesKeepTheFirstTen) {
    std::string file = "F1 0 0 0\n";
    for (int i = 0; i < 11; ++i) file += "Say " + std::to_string(i) + "\n";
    file += "########\nF2 0 0 0\nBow \n########\n";
    WriteFile("macros.txt", file);
    CApp::LoadMacros();

    ASSERT_EQ(g_macroCount, 2);
    ASSERT_EQ(g_macroList->actionCount, 10u);
    EXPECT_STREQ(g_macroList->actions[9].text, "9");
    EXPECT_EQ(g_macroList->next->actions[0].action, MACRO_BOW);
}

TEST_F(MacroFileTest, UnreadableFilesGiveNoMacrosAndNoKeyNames) {
    // A directory opens for reading but every read fails: the reader stops
    // at the first failure instead of taking it for an endless run of empty
    // lines.
    mkdir("macros.txt", 0755);
    mkdir("keynames.txt", 0755);
    CApp::LoadMacros();
    EXPECT_EQ(g_macroCount, 0);
    EXPECT_EQ(g_keyNameCount, 0);
}

TEST_F(MacroFileTest, KeyNamesStopAt89) {
    std::string names;
    for (int i = 0; i < 100; ++i) names += "Key" + std::to_string(i) + "\r\n";
    WriteFile("keynames.txt", names);
    CApp::LoadMacros();
    ASSERT_EQ(g_keyNameCount, MAX_KEY_NAMES);
    EXPECT_STREQ(g_keyNames[0], "Key0");
    EXPECT_STREQ(g_keyNames[88], "Key88");

    // Loading again starts from an empty table.
    WriteFile("keynames.txt", "One\nTwo\n");
    CApp::LoadMacros();
    EXPECT_EQ(g_keyNameCount, 2);
}

TEST_F(MacroFileTest, ParsingActionLines) {
    struct Case {
        const char* line;
        int action;
        int argument;
        const char* text;  // null: no text
    };
    const Case cases[] = {
        {"Say   spaced    out  ", MACRO_SAY, 0, "spaced out"},
        {"Say", MACRO_SAY, 0, ""},
        {"say hello", MACRO_NULL, 0, nullptr},  // names are case-exact
        {"Dance now", MACRO_NULL, 0, nullptr},
        {"", MACRO_NULL, 0, nullptr},
        {"Walk W", MACRO_WALK, 7, nullptr},
        {"Walk w", MACRO_WALK, 0, nullptr},
        {"Open Mail extra", MACRO_OPEN, MACRO_WINDOW_MAIL, nullptr},
        {"Close Nowhere", MACRO_CLOSE, 0, nullptr},
        {"UseSkill Hiding", MACRO_USE_SKILL, 2, nullptr},
        {"UseSkill Animal", MACRO_USE_SKILL, 0, nullptr},
        {"CastSpell Spark", MACRO_CAST_SPELL, 0, nullptr},
        {"Arm/Disarm lefthand", MACRO_ARM_DISARM, 1, nullptr},
        {"Arm/Disarm", MACRO_ARM_DISARM, 2, nullptr},
        {"Delay 15", MACRO_DELAY, 0, "15"},
        {"CloseGumps", MACRO_CLOSE_GUMPS, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        CMacroAction action;
        action.text = new char[4]{'o', 'l', 'd', 0};  // freed by the parser
        ParseMacroAction(c.line, action);
        EXPECT_EQ(action.action, c.action);
        EXPECT_EQ(action.argument, c.argument);
        if (c.text)
            EXPECT_STREQ(action.text, c.text);
        else
            EXPECT_EQ(action.text, nullptr);
        delete[] action.text;
    }
}

TEST_F(MacroFileTest, FormattingChecksEveryIndex) {
    struct Case {
        int action;
        int argument;
        const char* formatted;
    };
    const Case cases[] = {
        {MACRO_WALK, 8, "Walk "},
        {MACRO_WALK, -1, "Walk "},
        {MACRO_OPEN, 10, "Open "},
        {MACRO_MAXIMIZE, -5, "Maximize "},
        {MACRO_USE_SKILL, 3, "UseSkill "},
        {MACRO_USE_SKILL, -1, "UseSkill "},
        {MACRO_CAST_SPELL, 2, "CastSpell "},
        {MACRO_CAST_SPELL, 64, "CastSpell "},
        {MACRO_ARM_DISARM, 7, "Arm/Disarm RightHand"},
        {MACRO_SAY, 0, "Say "},  // no text
        {40, 0, "NULL "},
        {-1, 0, "NULL "},
    };
    for (const Case& c : cases) {
        CMacroAction action;
        action.action = c.action;
        action.argument = c.argument;
        char buffer[64];
        FormatMacroAction(action, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.formatted) << c.action << " " << c.argument;
    }
    // A small buffer is cut, never overrun.
    CMacroAction say;
    say.action = MACRO_SAY;
    say.text = const_cast<char*>("a long line of speech");
    char small[8];
    FormatMacroAction(say, small, sizeof small);
    EXPECT_STREQ(small, "Say a l");
}

TEST_F(MacroFileTest, MacroWithoutAKeyNameIsNotSaved) {
    AddMacro({"Bow"})->keySym = 0x7FFFFFFF | MACRO_KEYSYM_BIT;  // X names no such keysym
    AddMacro({"Salute"});
    CApp::SaveMacros();
    EXPECT_EQ(ReadFile("macros.txt"), "F1 0 0 0\nSalute \n########\n");
    EXPECT_NE(ReportLog().find("has no name; macro not saved"), std::string::npos);
}

TEST_F(MacroFileTest, FailureToWriteIsLoggedAndKeepsTheOldFile) {
    WriteFile("macros.txt", "F2 0 0 0\nBow \n########\n");
    CApp::LoadMacros();
    AddMacro({"Salute"});
    // The new text goes to a temporary file first; here it cannot be
    // written (a device that takes no bytes), and then it cannot be made.
    if (access("/dev/full", W_OK) == 0) {
        symlink("/dev/full", "macros.txt.new");
        CApp::SaveMacros();
        EXPECT_NE(ReportLog().find("CApp::SaveMacros: writing 'macros.txt' failed."),
                  std::string::npos);
        EXPECT_EQ(ReadFile("macros.txt"), "F2 0 0 0\nBow \n########\n");
        EXPECT_FALSE(tw::test::FileExists("macros.txt.new"));
    }
    mkdir("macros.txt.new", 0755);
    CApp::SaveMacros();
    EXPECT_NE(ReportLog().find("CApp::SaveMacros: cannot open file 'macros.txt' for writing."),
              std::string::npos);
    EXPECT_EQ(ReadFile("macros.txt"), "F2 0 0 0\nBow \n########\n");
    rmdir("macros.txt.new");

    CApp::SaveMacros();
    EXPECT_EQ(ReadFile("macros.txt"), "F2 0 0 0\nBow \n########\nF1 0 0 0\nSalute \n########\n");
}

}  // namespace
