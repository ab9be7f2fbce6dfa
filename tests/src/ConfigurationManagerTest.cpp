#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfigurationManager.h"
#include "support/TwTest.h"

namespace {

using tw::test::ReadFile;
using tw::test::WriteFile;

class ConfigurationManagerTest : public tw::test::TwTest {
protected:
    void Load(const std::string& text) {
        WriteFile("tw.cfg", text);
        ConfigurationManager::startup();
        ConfigurationManager::loadFromFile("tw.cfg");
    }
    std::vector<std::pair<std::string, std::string>> Items() {
        std::vector<std::pair<std::string, std::string>> items;
        for (auto* i = ConfigurationManager::first(); i; i = i->next)
            items.emplace_back(i->getName(), i->getValue());
        return items;
    }
};

struct GrammarCase {
    const char* line;
    bool added;
    const char* name;
    const char* value;
};

TEST_F(ConfigurationManagerTest, LineGrammar) {
    const GrammarCase cases[] = {
        {"Key=Value", true, "Key", "Value"},
        {"Key = Value", true, "Key ", " Value"},
        {"Key=a=b", true, "Key", "a=b"},
        {"Key=Value\t; comment", true, "Key", "Value"},
        {"Key=Value\r", true, "Key", "Value"},
        {"=Value", true, "", "Value"},
        {"Key=", true, "Key", ""},
        {"; Key=Value", false, nullptr, nullptr},
        {" ; no equals", false, nullptr, nullptr},
        {"", false, nullptr, nullptr},
        {"Key\t=Value", false, nullptr, nullptr},
    };
    for (const GrammarCase& c : cases) {
        ConfigurationManager::reset();
        Load(std::string(c.line) + "\n");
        auto items = Items();
        if (!c.added) {
            EXPECT_TRUE(items.empty()) << c.line;
            continue;
        }
        ASSERT_EQ(items.size(), 1u) << c.line;
        EXPECT_EQ(items[0].first, c.name) << c.line;
        EXPECT_EQ(items[0].second, c.value) << c.line;
    }
}

TEST_F(ConfigurationManagerTest, LastLineWinsCaseBlind) {
    Load("Speed=1\r\nSPEED=2\r\nother=3\n");
    EXPECT_STREQ(ConfigurationManager::getValue("speed"), "2");
    EXPECT_STREQ(ConfigurationManager::getValue("Other"), "3");
    EXPECT_EQ(ConfigurationManager::getValue("missing"), nullptr);

    ConfigurationItem* item = nullptr;
    ASSERT_TRUE(ConfigurationManager::findFirst("speed", &item));
    EXPECT_STREQ(item->getValue(), "1");
    EXPECT_EQ(item->getValueAsInt(), 1);
    ASSERT_TRUE(ConfigurationManager::findNext("speed", &item));
    EXPECT_STREQ(item->getValue(), "2");
    EXPECT_FALSE(ConfigurationManager::findNext("speed", &item));
    EXPECT_EQ(item, nullptr);
}

TEST_F(ConfigurationManagerTest, EmptyLineLogsTheParseErrorOnStderrAndAddsNothing) {
    tw::test::StderrCapture capture;
    Load("A=1\n\nB=2\n");
    EXPECT_EQ(Items().size(), 2u);
    EXPECT_NE(capture.text().find("ConfigurationItem::parseAndSet: cannot parse line ''"),
              std::string::npos);
    EXPECT_NE(ReportLog().find("new_configuration->name == 0 || new_configuration->value == 0"),
              std::string::npos);
}

TEST_F(ConfigurationManagerTest, EmptyFileIsNoLines) {
    Load("");
    EXPECT_TRUE(Items().empty());
    EXPECT_NE(ReportLog().find("ConfigurationManager::report: no configurations are set."),
              std::string::npos);
}

TEST_F(ConfigurationManagerTest, AVeryLongLineIsReadWhole) {
    std::string value(100000, 'v');
    Load("Long=" + value + "\nNext=1\n");
    EXPECT_EQ(ConfigurationManager::getValue("Long"), value);
    EXPECT_STREQ(ConfigurationManager::getValue("Next"), "1");
}

TEST_F(ConfigurationManagerTest, SaveWritesTheItemsToTheTestFile) {
    Load("; comment\nA=1\nbad line\nB = 2\n");
    ASSERT_TRUE(ConfigurationManager::saveToFile());
    EXPECT_EQ(ReadFile("tw.cfg_test"), "A=1\nB = 2\n");
    EXPECT_EQ(ReadFile("tw.cfg"), "; comment\nA=1\nbad line\nB = 2\n");
}

TEST_F(ConfigurationManagerTest, MissingFileOrNotStartedIsFatal) {
    EXPECT_DEATH(ConfigurationManager::loadFromFile("tw.cfg"), "loadFromFile: !started");
    ConfigurationManager::startup();
    EXPECT_DEATH(ConfigurationManager::loadFromFile("tw.cfg"), "cannot open file 'tw.cfg'");
}

}  // namespace
