#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "FileManager.h"
#include "TWTypes.h"
#include "support/TwTest.h"

namespace {

using tw::test::WriteFile;

class FileManagerTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        FileManager::startup();
    }

    std::string ReadAll(FILE* f) {
        std::string text;
        char buf[256];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
        return text;
    }
};

TEST_F(FileManagerTest, DefaultSearchPathsInOrder) {
    ASSERT_EQ(FileManager::getNumSearchPaths(), 4);
    const char* expected[] = {"./", "/mnt/cdrom/Client/", "/usr/games/TW/", "/home/tw/"};
    for (int i = 0; i < 4; ++i) EXPECT_STREQ(FileManager::getSearchPath(i)->path, expected[i]);
    EXPECT_EQ(FileManager::getSearchPath(4), nullptr);
    EXPECT_EQ(FileManager::getSearchPath(-1), nullptr);
    EXPECT_STREQ(FileManager::getHDPath(), "./");
    EXPECT_STREQ(FileManager::getCDPath(), "/mnt/cdrom/Client/");
}

TEST_F(FileManagerTest, OpensByExactNameOnTheFirstPath) {
    WriteFile("hues.mul", "abc");
    FILE* f = FileManager::open("hues.mul", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadAll(f), "abc");
    EXPECT_STREQ(FileManager::getActualName("HUES.MUL"), "./hues.mul");
    EXPECT_EQ(FileManager::getOpenFileSize(f), 3u);
    FileManager::close(f);
}

TEST_F(FileManagerTest, FindsAFileCaseBlindInALaterSearchPath) {
    mkdir("data", 0755);
    WriteFile("data/Map0.MUL", "map");
    FileManager::addSearchPath((dir() + "/data/").c_str(), 1, 0);
    FILE* f = FileManager::open("map0.mul", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadAll(f), "map");
    EXPECT_EQ(std::string(FileManager::getNameOfStream(f)), dir() + "/data/Map0.MUL");
    FileManager::close(f);
    std::string log = ReportLog();
    EXPECT_NE(log.find("FileManager::open ('fuzzy find'): looking for 'map0.mul'"),
              std::string::npos);
    EXPECT_NE(log.find("FileManager::fuzzyFind: 'map0.mul' matches 'Map0.MUL'."),
              std::string::npos);
}

TEST_F(FileManagerTest, CaseBlindMatchInTheWorkingDirectoryKeepsTheStoredName) {
    WriteFile("Tiledata.Mul", "t");
    FILE* f = FileManager::open("tiledata.mul", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(FileManager::getNameOfStream(f), "./Tiledata.Mul");
    FileManager::close(f);
}

TEST_F(FileManagerTest, MissingFileIsAWarningAndNull) {
    EXPECT_EQ(FileManager::open("nothing.here", "rb"), nullptr);
    EXPECT_NE(ReportLog().find("even by ignoring case"), std::string::npos);
}

// A directory or a FIFO under a file's name is refused with a line naming
// it, in every mode and by every way of finding it; a FIFO never blocks the
// open (the alarm ends a test that hangs).
TEST_F(FileManagerTest, OnlyRegularFilesAreOpenedOrFound) {
    struct Special {
        const char* what;
        bool (*make)(const char*);
    };
    const Special specials[] = {
        {"directory", [](const char* name) { return mkdir(name, 0755) == 0; }},
        {"FIFO", [](const char* name) { return mkfifo(name, 0644) == 0; }},
    };
    alarm(20);
    for (const Special& special : specials) {
        SCOPED_TRACE(special.what);
        ASSERT_TRUE(special.make("tw.cfg"));
        for (const char* mode : {"r", "rb", "r+b", "w", "wb", "at", "a+"}) {
            SCOPED_TRACE(mode);
            EXPECT_EQ(FileManager::open("tw.cfg", mode), nullptr);
            // Writing modes would make a new "TW.CFG" in the first path.
            if (mode[0] == 'r') {
                EXPECT_EQ(FileManager::open("TW.CFG", mode), nullptr) << "the case-blind pass";
            }
            EXPECT_EQ(FileManager::openAbsolute("./tw.cfg", mode), nullptr);
        }
        EXPECT_EQ(FileManager::exists("./", "tw.cfg"), nullptr);
        EXPECT_EQ(FileManager::exists("./", "Tw.Cfg"), nullptr);
        M_BYTE* data = nullptr;
        EXPECT_EQ(FileManager::load("tw.cfg", &data), 0);
        EXPECT_EQ(data, nullptr);
        EXPECT_EQ(FileManager::openRegular("tw.cfg", O_RDONLY, "test"), -1);
        EXPECT_NE(ReportLog().find("FileManager::open: './tw.cfg' is not a regular file. refused."),
                  std::string::npos);
        EXPECT_NE(ReportLog().find("FileManager::exists: './tw.cfg' is not a regular file."),
                  std::string::npos);
        EXPECT_NE(ReportLog().find("test: 'tw.cfg' is not a regular file. refused."),
                  std::string::npos);
        struct stat st {};
        ASSERT_EQ(stat("tw.cfg", &st), 0);
        EXPECT_FALSE(S_ISREG(st.st_mode)) << "left as it was";
        remove("tw.cfg");
    }
    // A regular file found on a later path is still taken past a special
    // one earlier on the search path.
    ASSERT_EQ(mkfifo("hues.mul", 0644), 0);
    mkdir("data", 0755);
    WriteFile("data/hues.mul", "hues");
    FileManager::addSearchPath((dir() + "/data/").c_str(), 1, 0);
    FILE* f = FileManager::open("hues.mul", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadAll(f), "hues");
    FileManager::close(f);
    // A name opened before and replaced since by a FIFO.
    WriteFile("macros.txt", "m");
    f = FileManager::open("macros.txt", "r");
    ASSERT_NE(f, nullptr);
    FileManager::close(f);
    remove("macros.txt");
    ASSERT_EQ(mkfifo("macros.txt", 0644), 0);
    EXPECT_EQ(FileManager::open("macros.txt", "r"), nullptr);
    EXPECT_NE(ReportLog().find("FileManager::open: './macros.txt' is not a regular file."),
              std::string::npos);
    alarm(0);
}

TEST_F(FileManagerTest, OpeningAgainClosesTheEarlierStreamAndCountsTwice) {
    WriteFile("a.txt", "1");
    FILE* first = FileManager::open("a.txt", "rb");
    ASSERT_NE(first, nullptr);
    FILE* second = FileManager::open("A.TXT", "rb");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(ReportLog().find("FileManager::open: file './a.txt' currently open. closing."),
              std::string::npos);
    EXPECT_NE(ReportLog().find("FileManager::open: file './a.txt' now open 2 times."),
              std::string::npos);
    FileManager::close(second);
}

TEST_F(FileManagerTest, AClosedNameReopensItsRecordedFileWithoutSearching) {
    mkdir("later", 0755);
    WriteFile("later/cfg.txt", "later");
    FileManager::addSearchPath((dir() + "/later/").c_str(), 1, 0);
    FILE* f = FileManager::open("cfg.txt", "rb");
    ASSERT_NE(f, nullptr);
    FileManager::close(f);

    WriteFile("cfg.txt", "earlier");  // now also on the first path
    f = FileManager::open("cfg.txt", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadAll(f), "later");
    FileManager::close(f);
}

TEST_F(FileManagerTest, AFileRemovedSinceItsLastOpenIsMissingNotFatal) {
    WriteFile("keynames.txt", "F1");
    FILE* f = FileManager::open("keynames.txt", "rb");
    ASSERT_NE(f, nullptr);
    FileManager::close(f);
    ASSERT_EQ(remove("keynames.txt"), 0);

    EXPECT_EQ(FileManager::open("keynames.txt", "rb"), nullptr);
    EXPECT_NE(ReportLog().find("file 'keynames.txt' was opened before, but cannot be opened again"),
              std::string::npos);

    // Once it is back, the same record serves it again.
    WriteFile("keynames.txt", "F2");
    f = FileManager::open("keynames.txt", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadAll(f), "F2");
    FileManager::close(f);
    EXPECT_NE(ReportLog().find("file './keynames.txt' now open 2 times."), std::string::npos);
}

TEST_F(FileManagerTest, OverlongNamesAndModesAreRefusedNotFatal) {
    std::string longName(FileManager::MAX_NAME_LENGTH, 'n');
    EXPECT_EQ(FileManager::open(longName.c_str(), "rb"), nullptr);
    EXPECT_EQ(FileManager::openAbsolute(longName.c_str(), "rb"), nullptr);
    WriteFile("ok.txt", "x");
    EXPECT_EQ(FileManager::open("ok.txt", "rb+rb+rb+"), nullptr);
    EXPECT_NE(ReportLog().find("too long. refused."), std::string::npos);

    // A name that fits its field but not behind a search path is skipped for
    // that path only.
    std::string name(1000, 'q');
    EXPECT_EQ(FileManager::open(name.c_str(), "rb"), nullptr);
}

TEST_F(FileManagerTest, NineSearchPathsAreUsableAndTheTenthIsRefused) {
    for (int i = 0; i < 5; ++i) FileManager::addSearchPath("/tmp/", 1, 0);
    EXPECT_EQ(FileManager::getNumSearchPaths(), 9);
    FileManager::addSearchPath("/var/", 1, 0);
    EXPECT_EQ(FileManager::getNumSearchPaths(), 9);
    EXPECT_STREQ(FileManager::getSearchPath(8)->path, "/tmp/");
    EXPECT_NE(ReportLog().find("numSearchPaths >= MAX_SEARCH_PATHS. path '/var/' refused."),
              std::string::npos);
}

TEST_F(FileManagerTest, OverlongSearchPathIsRefused) {
    std::string path(SearchPathInfo::MAX_PATH_LENGTH, 'p');
    FileManager::addSearchPath(path.c_str(), 1, 0);
    FileManager::addSearchPath("", 1, 0);
    EXPECT_EQ(FileManager::getNumSearchPaths(), 4);
}

TEST_F(FileManagerTest, ExistsBoundsTheComposedName) {
    WriteFile("Present.TXT", "x");
    EXPECT_STREQ(FileManager::exists("./", "Present.TXT"), "./Present.TXT");
    EXPECT_STREQ(FileManager::exists("./", "present.txt"), "./Present.TXT");
    EXPECT_EQ(FileManager::exists("./", "absent.txt"), nullptr);

    std::string path(2000, '/');
    std::string accepted(4091 - path.size(), 'f');
    std::string refused(4092 - path.size(), 'f');
    EXPECT_EQ(FileManager::exists(path.c_str(), accepted.c_str()), nullptr);
    EXPECT_EQ(ReportLog().find("MAX_FILENAME_LENGTH"), std::string::npos);
    EXPECT_EQ(FileManager::exists(path.c_str(), refused.c_str()), nullptr);
    EXPECT_NE(ReportLog().find("MAX_FILENAME_LENGTH. name refused."), std::string::npos);
}

TEST_F(FileManagerTest, LoadAllocatesItsOwnBuffer) {
    WriteFile("blob.bin", std::string("\x01\x02\x00\x04", 4));
    M_BYTE* data = nullptr;
    ASSERT_EQ(FileManager::load("blob.bin", &data), 4);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(memcmp(data, "\x01\x02\x00\x04", 4), 0);
    delete[] data;

    WriteFile("empty.bin", "");
    EXPECT_EQ(FileManager::load("empty.bin", &data), 0);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(FileManager::load("missing.bin", &data), 0);
    EXPECT_EQ(data, nullptr);
    EXPECT_NE(ReportLog().find("FileManager::load: failed to load 'missing.bin'."),
              std::string::npos);
}

TEST_F(FileManagerTest, ShortReadIsAWarning) {
    WriteFile("short.bin", "ab");
    FILE* f = FileManager::open("short.bin", "rb");
    char buf[8];
    EXPECT_EQ(FileManager::read(buf, 1, 8, f), 2u);
    EXPECT_NE(ReportLog().find("FileManager::read: items_read(2) != count(8)"), std::string::npos);
    FileManager::close(f);
}

TEST_F(FileManagerTest, UnknownStreamsAreFatal) {
    FILE* foreign = tmpfile();
    EXPECT_DEATH(FileManager::close(foreign), "trying to close unopened or unknown file");
    EXPECT_DEATH(FileManager::seek(foreign, 0, SEEK_SET), "trying to seek into unopened");
    fclose(foreign);
}

TEST_F(FileManagerTest, UseBeforeStartupStartsItself) {
    FileManager::reset();
    WriteFile("x.txt", "x");
    FILE* f = FileManager::open("x.txt", "rb");
    ASSERT_NE(f, nullptr);
    FileManager::close(f);
    EXPECT_NE(ReportLog().find("FileManager::open: had to startup FileManager."),
              std::string::npos);
}

TEST_F(FileManagerTest, PathGettersStartTheManagerAndAnswerItsPaths) {
    FileManager::reset();
    EXPECT_STREQ(FileManager::getHDPath(), "./");
    EXPECT_NE(ReportLog().find("FileManager::getHDPath: had to startup FileManager."),
              std::string::npos);
    FileManager::reset();
    EXPECT_STREQ(FileManager::getCDPath(), "/mnt/cdrom/Client/");
    EXPECT_NE(ReportLog().find("FileManager::getCDPath: had to startup FileManager."),
              std::string::npos);
}

TEST_F(FileManagerTest, ShutdownReportsTheOpenFiles) {
    WriteFile("r.txt", "x");
    FILE* f = FileManager::open("r.txt", "rb");
    FileManager::close(f);
    FileManager::shutdown();
    EXPECT_NE(
        ReportLog().find("   no           1            1        0                r.txt ./r.txt\n"),
        std::string::npos);
}

}  // namespace
