// The profession file reader: file texts in, records and their tree out.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "login/ProfessionFile.h"
#include "support/TwTest.h"

namespace {

class ProfessionFileTest : public tw::test::TwTest {};

ProfessionList Read(const std::string& text) {
    ProfessionList list;
    std::string copy = text;
    FILE* f = fmemopen(copy.data(), copy.size(), "r");
    ReadProfessionFile(f, list);
    fclose(f);
    return list;
}

// Names of the records in order, each with its children count and parent.
std::string Shape(const ProfessionList& list) {
    std::string out;
    for (const auto& p : list) {
        // Appended piece by piece: g++ 12 at -O2 misreads a chain of
        // string additions here as an overlapping copy.
        out.append(p->Name).append("(").append(std::to_string(p->Children.size()));
        if (p->Parent) out.append("<").append(p->Parent->Name);
        out.append(") ");
    }
    return out;
}

TEST_F(ProfessionFileTest, RecordsAndTheirBoundaries) {
    struct Case {
        const char* what;
        std::string text;
        std::string shape;
    } cases[] = {
        {"one record", "Begin\nName Warrior\nEnd\n", "Warrior(0) "},
        {"Begin and End anywhere in a line", "xxBeginxx\nName a\n  theEnd of it\n", "a(0) "},
        {"a name holding End closes the record", "Begin\nName TheEndless\nName b\nEnd\n", "(0) "},
        {"a record without End is dropped", "Begin\nName a\nEnd\nBegin\nName b\n", "a(0) "},
        {"a second Begin drops the open record", "Begin\nName a\nBegin\nName b\nEnd\n", "b(0) "},
        {"keywords before the first Begin add nothing", "Name x\nEnd\nBegin\nName a\nEnd\n",
         "a(0) "},
        {"empty file", "", ""},
        {"CR LF lines", "Begin\r\nName a\r\nEnd\r\n", "a(0) "},
    };
    for (const Case& c : cases) EXPECT_EQ(Shape(Read(c.text)), c.shape) << c.what;
}

TEST_F(ProfessionFileTest, KeywordsFillTheirFields) {
    const ProfessionList list = Read(
        "Begin\n"
        "  name \"Fighter Man\"\n"
        "TRUENAME \"The Fighter Man\" tail\n"
        "Desc 12abc\n"
        "Gump x\n"
        "TopLevel TRUE\n"
        "Type category\n"
        "Children a,b.c \"d\"\n"
        "Stat str, 35\n"
        "Stat Dex 20\n"
        "Stat Luck 99\n"
        "Skill swordsmanship 50\n"
        "Skill Juggling 10\n"
        "End\n");
    ASSERT_EQ(list.size(), 1u);
    const Profession& p = *list[0];
    EXPECT_STREQ(p.Name, "Fighter");
    EXPECT_STREQ(p.TrueName, "The Fighter Man");
    EXPECT_EQ(p.Desc, 12);
    EXPECT_EQ(p.Gump, 0);
    EXPECT_TRUE(p.TopLevel);
    EXPECT_TRUE(p.Type);
    EXPECT_EQ(p.Children, (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(p.Str, 35);
    EXPECT_EQ(p.Dex, 20);
    EXPECT_EQ(p.Int, 0);
    ASSERT_EQ(p.Skills.size(), 2u);
    EXPECT_EQ(p.Skills[0].index, 40);
    EXPECT_EQ(p.Skills[0].value, 50);
    EXPECT_EQ(p.Skills[1].index, -1);  // outside the skill table
    EXPECT_EQ(Read("Begin\nType Category\nType Leaf\nEnd\n")[0]->Type, FALSE);
}

TEST_F(ProfessionFileTest, BadLinesAreLoggedAndSkipped) {
    const ProfessionList list = Read(
        "Name outside\n"
        "Begin\n"
        "Name\n"
        "Skill Magery\n"
        "Stat Str\n"
        "TrueName no quotes\n"
        "Colour red\n"
        "Name kept\n"
        "Skill Magery 30\n"
        "End\n");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_STREQ(list[0]->Name, "kept");
    EXPECT_STREQ(list[0]->TrueName, "");
    ASSERT_EQ(list[0]->Skills.size(), 1u);
    EXPECT_EQ(list[0]->Skills[0].index, 25);
    const std::string log = ReportLog();
    for (const char* line : {"line 1 ", "line 3 ", "line 4 ", "line 5 ", "line 6 ", "line 7 "})
        EXPECT_NE(log.find(line), std::string::npos) << line;
    EXPECT_EQ(log.find("line 8 "), std::string::npos);
}

TEST_F(ProfessionFileTest, LongTextsAreCutToTheirFields) {
    const std::string longName(200, 'n');
    const ProfessionList list = Read("Begin\nName " + longName + "\nChildren " + longName +
                                     "\nTrueName \"" + std::string(300, 't') + "\"\nEnd\n");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(strlen(list[0]->Name), 127u);
    ASSERT_EQ(list[0]->Children.size(), 1u);
    EXPECT_EQ(list[0]->Children[0].size(), 127u);
    // The 300-character line is read in pieces of 254: the quoted text of
    // the first piece, cut to the field.
    EXPECT_EQ(strlen(list[0]->TrueName), 127u);
}

TEST_F(ProfessionFileTest, TreeLinksParentsThreeLevelsDeep) {
    ProfessionList list = Read(
        "Begin\nName Top\nType Category\nTopLevel true\nChildren Mid\nEnd\n"
        "Begin\nName Mid\nType Category\nChildren leaf, Other\nEnd\n"
        "Begin\nName Leaf\nEnd\n"
        "Begin\nName Other\nEnd\n"
        "Begin\nName Later\nType Category\nChildren other\nEnd\n");
    LinkProfessionParents(list);
    EXPECT_EQ(Shape(list), "Top(1) Mid(2<Top) Leaf(0<Mid) Other(0<Later) Later(1) ");
    EXPECT_EQ(FindProfessionIn(list, "LEAF"), list[2].get());
    EXPECT_EQ(FindProfessionIn(list, "missing"), nullptr);
}

TEST_F(ProfessionFileTest, SkillNamesMapToTheirIndices) {
    EXPECT_EQ(SkillNameToIndex("alchemy"), 0);
    EXPECT_EQ(SkillNameToIndex("EvaluateIntelligence"), 16);
    EXPECT_EQ(SkillNameToIndex("Disarm"), 48);
    EXPECT_EQ(SkillNameToIndex("Necromancy"), -1);
    EXPECT_EQ(SkillNameToIndex(nullptr), -1);
}

}  // namespace
