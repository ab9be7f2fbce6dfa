#include "AppTestSupport.h"

namespace {

class NameRulesTest : public tw::test::AppTest {};

TEST_F(NameRulesTest, IsBadName) {
    struct Case {
        const char* name;
        int bad;
    };
    const Case cases[] = {
        {"Aldric", 0},      {"Mary-Ann", 0},
        {"O'Neil Jr.", 0},  {"St. Clair", 1},  // '.' and ' ' are both separators
        {"Imager", 0},                         // "Mage" inside a longer word
        {"Sir Lord", 0},                    // only the start is tested for Lord; no list holds it
        {"Sexton", 0},      {"Lordan", 1},  // begins with Lord, no word boundary needed
        {"lady Jane", 1},   {"GMaster", 1},
        {"Seer", 1},        {"Counselor Bo", 1},
        {"Mage Bob", 1},    {"Bob the mage", 1},
        {"Bob-Healer", 1},  {"Anne Marrowinde", 1},
        {"Imager Mage", 1},  // a later whole word is still found
        {"Corvane", 1},     {"Frozen Jim", 1},
        {"Jim Shit", 1},    {"Mr Bullshit", 1},
        {"Ann--Marie", 1},  // two separators in a row
        {"Ann .Marie", 1},  {"Ann''s", 1},
        {"Ann-", 0},        {"-Ann", 1},  // first character not a letter
        {"1Ann", 1},        {" Ann", 1},
        {"Ann2", 1},        {"Ann_Marie", 1},
        {"An\xe9", 1},      {"", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(CApp::IsBadName(c.name), c.bad) << c.name;
    EXPECT_EQ(CApp::IsBadName(nullptr), 1);
}

TEST_F(NameRulesTest, NameCharacterClasses) {
    for (int c : {'a', 'Z', '-', '.', ' ', '\''}) EXPECT_FALSE(IsBadNameChar(c)) << c;
    for (int c : {int{'0'}, int{'_'}, int{'!'}, 0xE9, 0}) EXPECT_TRUE(IsBadNameChar(c)) << c;
    for (int c : {' ', '\'', '-', '.'}) EXPECT_TRUE(IsNameSeparator(c)) << c;
    for (int c : {int{'a'}, int{'_'}, 0}) EXPECT_FALSE(IsNameSeparator(c)) << c;
}

}  // namespace
