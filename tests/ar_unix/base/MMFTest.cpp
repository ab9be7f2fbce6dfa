#include "MMF.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>

#include "TWReport.h"
#include "support/TwTest.h"

namespace {

using tw::test::ReadFile;
using tw::test::WriteFile;

class MMFTest : public tw::test::TwTest {};

// The report file opens with the first log line; count after it exists.
int OpenDescriptors() {
    TWReport::print("counting descriptors\n");
    int n = 0;
    DIR* d = opendir("/proc/self/fd");
    while (readdir(d)) ++n;
    closedir(d);
    return n;
}

// True while any mapping of the process is backed by the named file.
bool IsMapped(const std::string& name) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.size() >= name.size() &&
            line.compare(line.size() - name.size(), name.size(), name) == 0)
            return true;
    return false;
}

TEST_F(MMFTest, MapsWholeFileAndCopiesRangesInsideIt) {
    WriteFile("data.mul", std::string("0123456789"));
    CMMF file("data.mul");
    auto* p = static_cast<const char*>(file.Open());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p, 10), "0123456789");
    EXPECT_EQ(file.getLength(), 10);

    char out[12];
    memset(out, '.', sizeof out);
    EXPECT_TRUE(file.CopyOut(6, 4, out));
    EXPECT_EQ(std::string(out, 5), "6789.");
    EXPECT_TRUE(file.CopyOut(10, 0, out));

    // Ranges that leave the mapping are refused and copy nothing.
    struct {
        int offset, length;
    } const bad[] = {{7, 4}, {-1, 2}, {0, -1}, {11, 0}, {1, 0x7fffffff}, {0x7fffffff, 1}};
    for (auto c : bad) {
        memset(out, '.', sizeof out);
        EXPECT_FALSE(file.CopyOut(c.offset, c.length, out)) << c.offset << "+" << c.length;
        EXPECT_EQ(out[0], '.');
    }

    file.Close();
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.getLength(), -1);
    EXPECT_FALSE(IsMapped("/data.mul"));
    EXPECT_FALSE(file.CopyOut(0, 1, out));
}

TEST_F(MMFTest, RefusedFilesLeaveTheObjectClosedWithoutLeakingTheDescriptor) {
    WriteFile("empty.mul", std::string());  // maps to nothing: mmap refuses length 0
    // Not regular files: refused without blocking (the alarm ends a hang).
    ASSERT_EQ(mkfifo("fifo.mul", 0644), 0);
    ASSERT_EQ(mkdir("dir.mul", 0755), 0);
    alarm(20);
    {
        tw::test::StderrCapture err;
        int before = OpenDescriptors();
        CMMF missing("missing.mul");
        EXPECT_EQ(missing.Open(), nullptr);
        EXPECT_FALSE(missing.isOpen());
        for (const char* special : {"fifo.mul", "dir.mul"}) {
            CMMF file(special);
            EXPECT_EQ(file.Open(), nullptr) << special;
            EXPECT_FALSE(file.isOpen());
        }
        CMMF empty("empty.mul");
        EXPECT_EQ(empty.Open(), nullptr);
        EXPECT_FALSE(empty.isOpen());
        EXPECT_EQ(empty.getPtr(), nullptr);
        EXPECT_EQ(OpenDescriptors(), before);
        EXPECT_NE(err.text().find("CMMF::Open - mmap"), std::string::npos);
    }
    std::string log = ReportLog();
    EXPECT_NE(log.find("File:ar_unix/base/linmmap, Function:CMMF::Open(): cannot open file "
                       "'missing.mul'."),
              std::string::npos);
    EXPECT_NE(log.find("Function:CMMF::Open(): cannot map file 'empty.mul'."), std::string::npos);
    EXPECT_NE(log.find("CMMF::Open: 'fifo.mul' is not a regular file. refused."),
              std::string::npos);
    EXPECT_NE(log.find("CMMF::Open: 'dir.mul' is not a regular file. refused."), std::string::npos);
    alarm(0);
}

TEST_F(MMFTest, ReopeningAndClosingTwiceKeepOneDescriptorAtMost) {
    WriteFile("a.mul", std::string("abc"));
    int before = OpenDescriptors();
    CMMF file;
    file.Close();  // never opened: nothing happens
    file.setName("a.mul");
    ASSERT_NE(file.Open(), nullptr);
    ASSERT_NE(file.Open(), nullptr);
    EXPECT_EQ(OpenDescriptors(), before + 1);
    file.Close();
    file.Close();
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(MMFTest, SetNameTakesShorterAndLongerNames) {
    CMMF file("a-rather-long-name.mul");
    const char* buffer = file.getName();
    file.setName("short.mul");
    EXPECT_EQ(file.getName(), buffer);  // fits: reused in place
    EXPECT_STREQ(file.getName(), "short.mul");
    file.setName("a-name-longer-than-the-first-one.mul");
    EXPECT_STREQ(file.getName(), "a-name-longer-than-the-first-one.mul");
    EXPECT_DEATH(file.setName(nullptr), "CMMF::setName: new_name == NULL");
}

TEST_F(MMFTest, WritableMapCreatesFileWithMode0644AndWritesReachIt) {
    mode_t old = umask(0);
    {
        CMMF_Wr cache("cache0.tw", 8);
        auto* p = static_cast<char*>(cache.Open());
        ASSERT_NE(p, nullptr);
        memcpy(p, "ABCDEFGH", 8);
        cache.Close();
    }
    umask(old);
    struct stat info;
    ASSERT_EQ(stat("cache0.tw", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_EQ(ReadFile("cache0.tw"), "ABCDEFGH");
}

TEST_F(MMFTest, WritableMapOfShortFileGrowsItAndUnmapsEveryPage) {
    // Three pages mapped over a file of 100 bytes: the last page must be
    // writable without a bus error, and Close must unmap all three pages,
    // not the 100 bytes the file held when it was opened.
    WriteFile("cache1.tw", std::string(100, 'x'));
    const int size = 3 * 4096;
    CMMF_Wr cache("cache1.tw", size);
    auto* p = static_cast<char*>(cache.Open());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(cache.getFileSize(), 100);
    EXPECT_EQ(p[99], 'x');
    p[size - 1] = 'z';
    EXPECT_TRUE(IsMapped("/cache1.tw"));
    cache.Close();
    EXPECT_FALSE(IsMapped("/cache1.tw"));
    EXPECT_EQ(cache.getFileSize(), -1);
    std::string bytes = ReadFile("cache1.tw");
    ASSERT_EQ(bytes.size(), static_cast<size_t>(size));
    EXPECT_EQ(bytes.substr(0, 100), std::string(100, 'x'));
    EXPECT_EQ(bytes.back(), 'z');
}

TEST_F(MMFTest, WritableMapThatCannotBeMadeIsFatal) {
    CMMF_Wr noDir("no-such-dir/cache0.tw", 4096);
    EXPECT_DEATH(noDir.Open(), "CMMF_Wr::Open: cannot map file 'no-such-dir/cache0.tw'");
    CMMF_Wr zero("cache0.tw", 0);
    EXPECT_DEATH(zero.Open(), "CMMF_Wr::Open: cannot map file 'cache0.tw'");
}

}  // namespace
