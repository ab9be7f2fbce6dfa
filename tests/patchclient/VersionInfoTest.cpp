// The version-info file and the patch info ("pat") files, read and written
// in-process.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "OutputManager.h"
#include "PatchClient.h"
#include "support/TwTest.h"

namespace {

using tw::test::FileExists;
using tw::test::ReadFile;
using tw::test::WriteFile;

const std::string kHeader = "7\n.\n./\n127 0 0 1 8888\n";

// "name=version name=version ..."
std::string Items(const std::vector<VersionItem>& items) {
    std::string text;
    for (const VersionItem& item : items)
        text += (text.empty() ? "" : " ") + item.name + "=" + std::to_string(item.version);
    return text;
}

// "i<n>" (built with snprintf: GCC 12 warns falsely on short literal + to_string).
std::string ItemName(int i) {
    char name[16];
    snprintf(name, sizeof name, "i%d", i);
    return name;
}

std::string ManyItems(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += ItemName(i) + " 1\n";
    return text;
}

class VersionInfoTest : public tw::test::TwTest {
protected:
    // Made in the test's own folder: the output manager opens "patchlog".
    void SetUp() override {
        TwTest::SetUp();
        out = std::make_unique<COutputManager>();
        client = std::make_unique<CPatchClient>(*out, "");
    }
    void TearDown() override {
        client.reset();
        out.reset();
        TwTest::TearDown();
    }

    std::unique_ptr<COutputManager> out;
    std::unique_ptr<CPatchClient> client;
    std::vector<VersionItem> items;

    bool Read(const std::string& text) {
        WriteFile("verinfo", text);
        return client->ReadVersionInfo("verinfo", items, CPatchClient::MAX_VERSION_ITEMS);
    }
};

TEST_F(VersionInfoTest, ReadsEveryField) {
    ASSERT_TRUE(Read("4294967295\r\nC:client  ./dl/\n10 0 200 255\t65535\nmap0 3\n"));
    EXPECT_EQ(client->Version(), 4294967295u);
    EXPECT_EQ(client->ClientPath(), "C:client");
    EXPECT_EQ(client->PathPrefix(), "./dl/");
    EXPECT_EQ(client->ServerAddress(), 0x0A00C8FFu);
    EXPECT_EQ(client->Port(), 65535);
    EXPECT_EQ(Items(items), "map0=3");
}

TEST_F(VersionInfoTest, FileTexts) {
    struct Case {
        const char* what;
        std::string text;
        bool ok;
        std::string items;
    };
    const std::string longName(512, 'n');
    const Case cases[] = {
        {"items to the end", kHeader + "a 1\nb -1\nc 4294967295\n", true,
         "a=1 b=4294967295 c=4294967295"},
        {"last item without a line end", kHeader + "a 1\nb 2", true, "a=1 b=2"},
        {"no items", kHeader, true, ""},
        {"name without a version at the end", kHeader + "a 1\nb", true, "a=1 b=0"},
        {"name and a line end at the end", kHeader + "a 1\nb\n", true, "a=1 b=0"},
        {"name of 512 characters", kHeader + longName + " 5\n", true, longName + "=5"},
        {"port without a line end", "7\n.\n./\n127 0 0 1 8888", false, ""},
        {"header cut short", "7\n.\n./\n127 0 0\n", false, ""},
        {"empty file", "", false, ""},
        {"version not a number", kHeader + "a x1\n", false, ""},
        {"version with trailing letters", kHeader + "a 12abc\n", false, ""},
        {"version beyond 32 bits", kHeader + "a 4294967296\n", false, ""},
        {"version below the signed range", kHeader + "a -2147483649\n", false, ""},
        {"file version negative", "-1\n.\n./\n127 0 0 1 8888\n", false, ""},
        {"address byte above 255", "7\n.\n./\n127 0 0 256 8888\n", false, ""},
        {"port above 65535", "7\n.\n./\n127 0 0 1 65536\n", false, ""},
        {"port not a number", "7\n.\n./\n127 0 0 1 http\n", false, ""},
        {"name of 513 characters", kHeader + longName + "n 5\n", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        items.clear();
        EXPECT_EQ(Read(c.text), c.ok);
        if (c.ok) {
            EXPECT_EQ(Items(items), c.items);
        }
    }
}

TEST_F(VersionInfoTest, StopsAtTheItemLimit) {
    ASSERT_TRUE(Read(kHeader + ManyItems(513)));
    ASSERT_EQ(items.size(), 512u);
    EXPECT_EQ(items.back().name, "i511");
}

TEST_F(VersionInfoTest, MissingFileIsRefused) {
    EXPECT_FALSE(client->ReadVersionInfo("verinfo", items, CPatchClient::MAX_VERSION_ITEMS));
}

TEST_F(VersionInfoTest, WritesWhatItReadsThroughAFreshFile) {
    ASSERT_TRUE(Read("7\n.\n./\n127 0 0 1 8888\na 1\nb -1\n"));
    ASSERT_TRUE(client->WriteVersionInfo("verinfo", items));
    EXPECT_EQ(ReadFile("verinfo"), "7\n.\n./\n127 0 0 1 8888\na 1\nb 4294967295\n");
    EXPECT_FALSE(FileExists("verinfo.new"));

    std::vector<VersionItem> again;
    ASSERT_TRUE(client->ReadVersionInfo("verinfo", again, CPatchClient::MAX_VERSION_ITEMS));
    EXPECT_EQ(Items(again), Items(items));

    EXPECT_FALSE(client->WriteVersionInfo("missing/verinfo", items));
}

// A client whose item list is a=1 b=2.
std::unique_ptr<CPatchClient> ClientWithItems(COutputManager& out) {
    auto client = std::make_unique<CPatchClient>(out, "");
    client->ReplaceOrAddVerItem("a", 1);
    client->ReplaceOrAddVerItem("b", 2);
    return client;
}

TEST_F(VersionInfoTest, PatchInfoFilesMergeIntoTheItemList) {
    struct Case {
        const char* what;
        std::string text;
        bool ok;
        std::string items;
    };
    const Case cases[] = {
        {"change and add", "a 5\nc 9\n", true, "a=5 b=2 c=9"},
        {"empty", "", true, "a=1 b=2"},
        {"only blanks", " \n\t\n", true, "a=1 b=2"},
        {"last pair without a line end", "b 3", true, "a=1 b=3"},
        {"name without a version", "a 5\nb", false, "a=5 b=2"},
        {"version not a number", "a five\n", false, "a=1 b=2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto patched = ClientWithItems(*out);
        WriteFile("update.pat", c.text);
        EXPECT_EQ(patched->DoPatchInfoFile("update.pat"), c.ok);
        EXPECT_EQ(Items(patched->VersionItems()), c.items);
    }
    EXPECT_FALSE(client->DoPatchInfoFile("missing.pat"));
}

TEST_F(VersionInfoTest, AFullListTakesChangesButRefusesNewNames) {
    for (unsigned i = 0; i < CPatchClient::MAX_VERSION_ITEMS; ++i)
        ASSERT_TRUE(client->ReplaceOrAddVerItem(ItemName(static_cast<int>(i)), i));
    WriteFile("update.pat", "i3 70\nnew 1\n");
    EXPECT_FALSE(client->DoPatchInfoFile("update.pat"));
    EXPECT_EQ(client->VersionItems().size(), 512u);
    EXPECT_EQ(client->VersionItems()[3].version, 70u);
}

}  // namespace
