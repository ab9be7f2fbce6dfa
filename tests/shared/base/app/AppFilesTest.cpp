#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "ByteWriter.h"
#include "FileManager.h"

namespace {

using tw::test::ReadFile;
using tw::test::WriteFile;

class AppFilesTest : public tw::test::AppTest {};

// A word-list file as the client writes it: each unit + 13, then 23.
std::string WordFile(const std::vector<std::string>& entries) {
    std::vector<M_BYTE> bytes;
    ByteWriter out(bytes);
    for (const std::string& e : entries) {
        for (unsigned char c : e) out.u16le(c + 13u);
        out.u16le(23);
    }
    return std::string(bytes.begin(), bytes.end());
}

std::string Word(int i) {
    std::string s;
    for (const M_WORD* u = CApp::wordList[i]; *u; ++u) s += static_cast<char>(*u);
    return s;
}

TEST_F(AppFilesTest, WordListRoundTripsAndSkipsEmptyEntries) {
    // An entry also ends at a unit that reads as 13; an empty entry is
    // skipped.
    std::string file = WordFile({"alpha", "", "beta"});
    file += std::string("\x1a\x00", 2);  // 13 + 13: an empty entry
    file += std::string("\x6f\x00", 2);  // 'b' + 13, unended at the end
    WriteFile("twbscene.lst", file);
    CApp::LoadWordLists();
    ASSERT_EQ(CApp::wordCount, 3);
    EXPECT_EQ(Word(0), "alpha");
    EXPECT_EQ(Word(1), "beta");
    EXPECT_EQ(Word(2), "b");

    CApp::SaveWordLists(0);
    EXPECT_EQ(ReadFile("twbscene.lst"), WordFile({"alpha", "beta", "b"}));
}

TEST_F(AppFilesTest, WordListIsCappedAtItsTable) {
    std::vector<std::string> entries;
    for (int i = 0; i < 85; ++i) entries.push_back(std::string(1, 'w').append(std::to_string(i)));
    entries[3] = std::string(40, 'x');
    WriteFile("twbscene.lst", WordFile(entries));
    CApp::LoadWordLists();
    ASSERT_EQ(CApp::wordCount, CApp::MAX_WORDS);
    EXPECT_EQ(Word(3), std::string(29, 'x'));
    EXPECT_EQ(Word(79), "w79");
    EXPECT_NE(ReportLog().find("more than 80 entries of 29 units"), std::string::npos);
}

std::string IgnoreRecord(const std::string& name, M_DWORD serial) {
    std::vector<M_BYTE> bytes;
    ByteWriter out(bytes);
    out.fixedString(name, 30).u32le(serial);
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(AppFilesTest, IgnoreListReadsWholeRecordsTerminatedAndCapped) {
    std::string file = IgnoreRecord("Bob", 0x00001234) + IgnoreRecord(std::string(30, 'N'), 7);
    for (int i = 0; i < 20; ++i) file += IgnoreRecord("x", 100 + i);
    file += "partial";
    WriteFile("ignore.lst", file);
    CApp::LoadWordLists();
    ASSERT_EQ(CApp::ignoreCount, CApp::MAX_IGNORED);
    EXPECT_STREQ(CApp::ignoreList[0].name, "Bob");
    EXPECT_EQ(CApp::ignoreList[0].serial, 0x1234u);
    EXPECT_EQ(std::string(CApp::ignoreList[1].name), std::string(30, 'N'));
    EXPECT_TRUE(CApp::IsSerialInList(0x1234));
    EXPECT_TRUE(CApp::IsSerialInList(117));
    EXPECT_FALSE(CApp::IsSerialInList(118));  // the 21st record was dropped

    CApp::ignoreCount = 2;
    CApp::SaveWordLists(1);
    EXPECT_EQ(ReadFile("ignore.lst"),
              IgnoreRecord("Bob", 0x1234) + IgnoreRecord(std::string(30, 'N'), 7));
    CApp::SaveWordLists(2);  // nothing
}

TEST_F(AppFilesTest, MissingListsStayEmpty) {
    CApp::wordCount = 3;
    CApp::LoadWordLists();
    EXPECT_EQ(CApp::wordCount, 0);
    EXPECT_EQ(CApp::ignoreCount, 0);
}

TEST_F(AppFilesTest, CharDataHoldsTheHuesOfFiveSlots) {
    CApp::LoadCharData();
    EXPECT_EQ(CApp::savedSpeechHues[4], 690);
    EXPECT_EQ(CApp::savedEmoteHues[0], 549);
    EXPECT_NE(ReportLog().find("CApp::LoadCharData: cannot open file 'chardata.mul'."),
              std::string::npos);

    for (int i = 0; i < CApp::CHAR_SLOTS; ++i) {
        CApp::savedSpeechHues[i] = static_cast<M_WORD>(100 + i);
        CApp::savedEmoteHues[i] = static_cast<M_WORD>(0x0200 + i);
    }
    CApp::SaveCharData();
    const std::string file = ReadFile("chardata.mul");
    ASSERT_EQ(file.size(), 20u);
    EXPECT_EQ(file.substr(0, 4), std::string("\x64\x00\x65\x00", 4));
    EXPECT_EQ(file.substr(10, 2), std::string("\x00\x02", 2));

    CApp::reset();
    CApp::LoadCharData();
    EXPECT_EQ(CApp::savedSpeechHues[3], 103);
    EXPECT_EQ(CApp::savedEmoteHues[4], 0x0204);
}

TEST_F(AppFilesTest, CharDataHuesOutsideTheTableAndShortFiles) {
    // Slot 0 speech hue 3000 (no such hue), slot 1 2999; then the file ends
    // in the middle of the emote hues.
    WriteFile("chardata.mul",
              std::string("\xb8\x0b\xb7\x0b\x01\x00\x02\x00\x03\x00\x05\x00\x06", 13));
    CApp::LoadCharData();
    EXPECT_EQ(CApp::savedSpeechHues[0], 1);
    EXPECT_EQ(CApp::savedSpeechHues[1], 2999);
    EXPECT_EQ(CApp::savedEmoteHues[0], 5);
    EXPECT_EQ(CApp::savedEmoteHues[1], 549);
}

TEST_F(AppFilesTest, PathsOfTheInstallation) {
    WriteFile("verdata.mul", std::string("x"));
    FileManager::startup();
    EXPECT_EQ(std::string(CApp::get_HDpath("verdata.mul")), "./verdata.mul");
    EXPECT_NE(ReportLog().find("CApp::get_HDpath: found './verdata.mul'."), std::string::npos);
    EXPECT_DEATH(CApp::get_HDpath("nowhere.mul"),
                 "currently no code support for this hardware version");

    strcpy(CdRomDataPath, "/mnt/cd");
    EXPECT_STREQ(CApp::get_CDpath("art.mul"), "/mnt/cd/art.mul");
    strcpy(CdRomDataPath, "/mnt/cd/");
    EXPECT_STREQ(CApp::get_CDpath("art.mul"), "/mnt/cd/art.mul");
    CdRomDataPath[0] = 0;
    EXPECT_STREQ(CApp::get_CDpath("art.mul"), "art.mul");
    EXPECT_DEATH(CApp::get_CDpath(""), "CApp::get_CDpath: currently no code support");
    EXPECT_DEATH(CApp::get_CDpath(std::string(2000, 'a').c_str()), "CApp::get_CDpath");
    EXPECT_STREQ(CApp::GetDefaultDataDir(), "/home/lorin/mako/data");
}

TEST_F(AppFilesTest, RecordCounts) {
    WriteFile("skills.idx", std::string(36, 'i'));
    EXPECT_EQ(NumRecsInFile("skills.idx", 12), 3);
    EXPECT_EQ(NumRecsInFile("skills.idx", 10), 3);
    EXPECT_EQ(NumRecsInFile("skills.idx", 0), 0);
    EXPECT_EQ(NumRecsInFile("missing.idx", 12), 0);
}

TEST_F(AppFilesTest, OutOfMemoryEndsWithStatus1WithoutTheExitChain) {
    // The services' shutdowns must not run under a live cursor thread: a
    // registered handler that ran would change the status.
    EXPECT_EXIT(
        {
            atexit([] { _exit(2); });
            CApp::OutOfMemory();
        },
        testing::ExitedWithCode(1), "Out of memory. Exiting.");
}

}  // namespace
