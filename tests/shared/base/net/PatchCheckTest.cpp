#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>

#include "net/PatchCheck.h"
#include "support/TwTest.h"

namespace {

using tw::test::FileExists;
using tw::test::ReadFile;
using tw::test::WriteFile;

class PatchCheckTest : public tw::test::TwTest {};

ino_t Inode(const char* name) {
    struct stat st;
    return stat(name, &st) == 0 ? st.st_ino : 0;
}

// The names in the working directory but the report log: no temporary file
// may stay behind.
std::set<std::string> Files() {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        std::string name = entry.path().filename().string();
        if (name.rfind("TWReport", 0) != 0) names.insert(name);
    }
    return names;
}

TEST_F(PatchCheckTest, ReplacesOnlyWhatDiffers) {
    struct Case {
        const char* what;
        std::string target;
        std::string source;
        bool replaced;
    };
    const Case cases[] = {
        {"identical", "same bytes", "same bytes", false},
        {"identical and empty", "", "", false},
        {"same size, last byte differs", "abcdef", "abcdeg", true},
        {"same size, first byte differs", "xbcdef", "abcdef", true},
        {"source longer", "abc", "abcdef", true},
        {"source shorter", "abcdef", "abc", true},
        {"empty source", "0123456789", "", true},
        {"binary with zeros", std::string("a\0b", 3), std::string("a\0c", 3), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile("target.mul", c.target);
        WriteFile("source.mul", c.source);
        ino_t before = Inode("target.mul");

        EXPECT_TRUE(CheckFilesForPatch("target.mul", "source.mul"));

        EXPECT_EQ(ReadFile("target.mul"), c.replaced ? c.source : c.target);
        EXPECT_EQ(ReadFile("source.mul"), c.source);
        // A replacement is a new file renamed into place; an equal pair is
        // never rewritten.
        EXPECT_EQ(Inode("target.mul") != before, c.replaced);
        EXPECT_EQ(Files(), (std::set<std::string>{"source.mul", "target.mul"}));
    }
}

TEST_F(PatchCheckTest, ASourceNamedLikeATemporaryFileStays) {
    // The delivered copy may sit beside the installed file under any name;
    // the replacement never writes over it or removes it.
    WriteFile("target.mul", "old");
    WriteFile("target.mul.new", "fresh");
    EXPECT_TRUE(CheckFilesForPatch("target.mul", "target.mul.new"));
    EXPECT_EQ(ReadFile("target.mul"), "fresh");
    EXPECT_EQ(ReadFile("target.mul.new"), "fresh");
    EXPECT_EQ(Files(), (std::set<std::string>{"target.mul", "target.mul.new"}));
}

TEST_F(PatchCheckTest, MissingFileMeansNothingToDo) {
    WriteFile("target.mul", "installed");
    EXPECT_TRUE(CheckFilesForPatch("target.mul", "absent.mul"));
    EXPECT_EQ(ReadFile("target.mul"), "installed");

    WriteFile("source.mul", "fresh");
    EXPECT_TRUE(CheckFilesForPatch("absent.mul", "source.mul"));
    EXPECT_FALSE(FileExists("absent.mul"));

    // A directory in place of either file is not a file to compare (it
    // opens for reading but has no size to read).
    mkdir("folder.mul", 0755);
    EXPECT_TRUE(CheckFilesForPatch("folder.mul", "source.mul"));
    EXPECT_TRUE(std::filesystem::is_directory("folder.mul"));
    EXPECT_TRUE(CheckFilesForPatch("target.mul", "folder.mul"));
    EXPECT_EQ(ReadFile("target.mul"), "installed");
}

TEST_F(PatchCheckTest, KeepsTheInstalledPermissions) {
    WriteFile("target.mul", "old");
    WriteFile("source.mul", "new");
    chmod("target.mul", 0600);
    EXPECT_TRUE(CheckFilesForPatch("target.mul", "source.mul"));
    struct stat st;
    ASSERT_EQ(stat("target.mul", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(PatchCheckTest, ShortWriteLeavesTheTargetWhole) {
    WriteFile("target.mul", "installed bytes");
    WriteFile("source.mul", std::string(4096, 'x'));
    // A file-size limit makes the write of the replacement fall short.
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);

    bool result = CheckFilesForPatch("target.mul", "source.mul");

    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(result);
    EXPECT_EQ(ReadFile("target.mul"), "installed bytes");
    EXPECT_EQ(Files(), (std::set<std::string>{"source.mul", "target.mul"}));
    EXPECT_NE(ReportLog().find("CheckFilesForPatch: cannot replace 'target.mul' (1000 of 4096"),
              std::string::npos);
}

}  // namespace
