#include <cstdio>
#include <string>
#include <vector>

#include "ConfigTestSupport.h"
#include "config/Color.h"
#include "config/TextLine.h"

namespace {

class TextHelpersTest : public tw::test::ConfigTest {};

std::vector<std::string> Lines(const std::string& bytes) {
    tw::test::WriteFile("lines.txt", bytes);
    FILE* f = fopen("lines.txt", "rb");
    std::vector<std::string> lines;
    for (;;) {
        std::string line = ReadTextLine(f);
        if (feof(f) && line.empty()) break;
        lines.push_back(line);
        if (feof(f)) break;
    }
    fclose(f);
    return lines;
}

TEST_F(TextHelpersTest, ReadTextLineEndsLinesAtEveryLineEnd) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Lines("a\r\nb\n"), (V{"a", "b"}));
    EXPECT_EQ(Lines("a\n\rb\rc"), (V{"a", "b", "c"}));
    EXPECT_EQ(Lines("a\n\nb\n"), (V{"a", "", "b"}));
    EXPECT_EQ(Lines("a\r\rb"), (V{"a", "", "b"}));
    EXPECT_EQ(Lines("a\r\n\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(Lines(""), V{});
    // Characters past the first 263 are read and dropped.
    EXPECT_EQ(Lines(std::string(300, 'x') + "\nnext\n"), (V{std::string(263, 'x'), "next"}));
}

TEST_F(TextHelpersTest, ParseColor) {
    struct Case {
        const char* text;
        int color;
    };
    const Case cases[] = {
        {"#FF0000", 0x7C00},
        {"#00ff00", 0x03E0},
        {"#0000FF", 0x001F},
        {"#FFFFFF", 0x7FFF},
        {"#080808", 0x0421},
        {"#070707", 0},
        {"#zz00FF", 0x001F},
        {"#F", 0x7800},
        {"#", 0},
        {"16711680", 0x7C00},
        {"65280", 0x03E0},
        {"  255", 0x001F},
        {"16777215", 0x7FFF},
        {"-5", -5},
        {"-2147483648", -2147483647 - 1},
        {"abc", 0},
        {"99999999999", 0x7FFF},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseColor(c.text), c.color) << c.text;
    EXPECT_EQ(ParseColor(nullptr), 0);
}

TEST_F(TextHelpersTest, StripParenthesisGivesTheBareSpellName) {
    EXPECT_STREQ(StripParenthesis("Magic Arrow (In Por Ylem)"), "Magic Arrow");
    EXPECT_STREQ(StripParenthesis("Heal(In Mani)"), "Hea");
    EXPECT_STREQ(StripParenthesis("Recall"), "Recall");
    EXPECT_STREQ(StripParenthesis("(x)"), "");
    EXPECT_STREQ(StripParenthesis(""), "");
    EXPECT_STREQ(StripParenthesis(nullptr), "");
    EXPECT_EQ(std::string(StripParenthesis(std::string(400, 'a').c_str())).size(), 255u);
}

}  // namespace
