#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "ConfigTestSupport.h"
#include "FileManager.h"
#include "config/Config.h"

namespace {

using tw::test::FileExists;
using tw::test::ReadFile;
using tw::test::WriteFile;

class ConfigFileTest : public tw::test::ConfigTest {};

TEST_F(ConfigFileTest, SaveRewritesTheFirstLineOfTheKeyAndKeepsEveryOtherByte) {
    struct Case {
        const char* before;
        int id;
        const char* value;
        const char* after;
    };
    const Case cases[] = {
        // CR LF on the rewritten line only; other line ends are kept as found.
        {"; settings\nSound=on\nSoundVol=10\n", CFG_Sound, "off",
         "; settings\nSound=off\r\nSoundVol=10\n"},
        // The key is spelt as the table spells it; only the first line of
        // the key is rewritten.
        {"a=1\r\nsoundvol = 9\r\nSoundVol=2\r\n", CFG_SoundVol, "200",
         "a=1\r\nSoundVol=200\r\nSoundVol=2\r\n"},
        {"Music=on\n\rMusicVol=3", CFG_Music, "off", "Music=off\r\nMusicVol=3"},
        {"Sound=on\n\nSound=off\n", CFG_Sound, "yes", "Sound=yes\r\n\nSound=off\n"},
        // A line with the key and no value is still the key's line.
        {"PlayerName=\nx=y\n", CFG_PlayerName, "Bob", "PlayerName=Bob\r\nx=y\n"},
        // Not found: appended with LF.
        {"Sound=on\n", CFG_Music, "off", "Sound=on\nMusic=off\n"},
        {"", CFG_Music, "off", "Music=off\n"},
        // The last line without a line end is not examined; the line end
        // that it lacks is written before the new line.
        {"Sound=on\nMusic=on", CFG_Music, "off", "Sound=on\nMusic=on\nMusic=off\n"},
        {"Music=on\r", CFG_Music, "off", "Music=off\r\n"},
    };
    for (const Case& c : cases) {
        WriteFile("tw.cfg", std::string(c.before));
        saveConfigDirective(c.id, c.value);
        EXPECT_EQ(ReadFile("tw.cfg"), c.after) << "from " << c.before;
    }
    EXPECT_FALSE(FileExists("tw.cfg.new"));
}

TEST_F(ConfigFileTest, SaveCreatesAMissingFileAndRefusesUnknownKeys) {
    saveConfigDirective(CFG_LastServerID, "3");
    EXPECT_EQ(ReadFile("tw.cfg"), "LastServerID=3\n");

    WriteFile("tw.cfg", std::string("; comment\nBogus=1\n"));
    saveConfigDirective(CFG_UNKNOWN, "x");
    saveConfigDirective(22, "x");
    EXPECT_EQ(ReadFile("tw.cfg"), "; comment\nBogus=1\n");
    EXPECT_NE(ReportLog().find("saveConfigDirective: refusing to save unknown key id 129."),
              std::string::npos);
}

TEST_F(ConfigFileTest, SaveKeepsTheSettingsOfAFileFoundOnAnotherSearchPath) {
    ASSERT_EQ(mkdir("install", 0755), 0);
    WriteFile("install/tw.cfg", std::string("Sound=on\nMusicVol=3"));
    FileManager::startup();
    FileManager::addSearchPath((dir() + "/install/").c_str(), 1, 0);
    saveConfigDirective(CFG_Sound, "off");
    EXPECT_EQ(ReadFile("tw.cfg"), "Sound=off\r\nMusicVol=3");
    remove("tw.cfg");
    saveConfigDirective(CFG_Music, "off");
    EXPECT_EQ(ReadFile("tw.cfg"), "Sound=on\nMusicVol=3\nMusic=off\n");
    // The file found elsewhere is left as it was.
    EXPECT_EQ(ReadFile("install/tw.cfg"), "Sound=on\nMusicVol=3");
}

TEST_F(ConfigFileTest, SavedValueReadsBack) {
    WriteFile("tw.cfg", std::string("SoundVol=10\r\nPassword=xyz\r\n"));
    char scrambled[30] = "s3cret";
    ScramblePassword(scrambled);
    saveConfigDirective(CFG_Password, scrambled);
    saveConfigDirective(CFG_SoundVol, "42");
    ReadConfigFile("tw.cfg", TRUE);
    EXPECT_EQ(SoundVol, 42);
    EXPECT_STREQ(Password, "s3cret");
}

struct SaveOutcome {
    int status;       // the child's exit status, -1 when it did not exit
    std::string err;  // its standard error, where error lines go
};

// Saves one key in a child process: unprivileged (root writes everywhere,
// so a root child gives up its rights first, as a player's client runs)
// and under a file-size limit when asked.  SIGXFSZ is ignored there as in
// the client, so that a write past the limit fails instead of ending it.
SaveOutcome SaveInChild(bool unprivileged, rlim_t sizeLimit) {
    fflush(nullptr);
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {-2, "no pipe"};
    pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 2);
        close(pipeFds[0]);
        signal(SIGXFSZ, SIG_IGN);
        if (unprivileged && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(125);
        rlimit limit = {sizeLimit, sizeLimit};
        if (sizeLimit != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
        saveConfigDirective(CFG_Sound, "off");
        _exit(0);
    }
    close(pipeFds[1]);
    std::string err;
    char buf[512];
    ssize_t n;
    while ((n = read(pipeFds[0], buf, sizeof buf)) > 0) err.append(buf, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, err};
}

// A save that cannot be made whole leaves "tw.cfg" byte for byte as it was
// and the program running, with a line saying why; a read-only "tw.cfg" is
// never replaced, and a replaced one keeps its permissions.
TEST_F(ConfigFileTest, AFailedSaveLeavesTheFileWholeAndTheProgramRunning) {
    const std::string before = "; mine\nSound=on\nMusic=on\nSoundVol=10\n";
    struct Case {
        const char* what;
        mode_t fileMode;
        bool readOnlyFolder;
        bool blockNewFile;  // a directory named "tw.cfg.new"
        rlim_t sizeLimit;
        const char* line;  // the error line; none when the save succeeds
    };
    const Case cases[] = {
        {"saved", 0600, false, false, RLIM_INFINITY, nullptr},
        {"read-only file", 0444, false, false, RLIM_INFINITY, "'tw.cfg' is read-only"},
        {"read-only file, read-only folder", 0444, true, false, RLIM_INFINITY,
         "'tw.cfg' is read-only"},
        {"writable file, read-only folder", 0666, true, false, RLIM_INFINITY,
         "cannot create 'tw.cfg.new'"},
        {"no new file beside it", 0644, false, true, RLIM_INFINITY, "cannot create 'tw.cfg.new'"},
        {"file-size limit", 0644, false, false, 16, "cannot replace 'tw.cfg' (File too large)"},
        {"file-size limit, no new file beside it", 0666, true, false, 16,
         "cannot create 'tw.cfg.new'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile("tw.cfg", before);
        ASSERT_EQ(chmod("tw.cfg", c.fileMode), 0);
        if (c.blockNewFile) {
            ASSERT_EQ(mkdir("tw.cfg.new", 0755), 0);
        }
        if (c.readOnlyFolder) {
            ASSERT_EQ(chmod(dir().c_str(), 0555), 0);
        }

        SaveOutcome outcome = SaveInChild(c.readOnlyFolder, c.sizeLimit);

        ASSERT_EQ(chmod(dir().c_str(), 0700), 0);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        struct stat st {};
        ASSERT_EQ(stat("tw.cfg", &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.fileMode);
        if (c.line) {
            EXPECT_EQ(ReadFile("tw.cfg"), before);
            EXPECT_NE(
                outcome.err.find(std::string("TWReport::error: saveConfigDirective: ") + c.line),
                std::string::npos)
                << outcome.err;
            EXPECT_NE(outcome.err.find("'Sound' not saved."), std::string::npos);
        } else {
            EXPECT_EQ(ReadFile("tw.cfg"), "; mine\nSound=off\r\nMusic=on\nSoundVol=10\n");
            EXPECT_EQ(outcome.err, "");
        }
        EXPECT_FALSE(FileExists("tw.cfg.new") && !c.blockNewFile) << "no new file left behind";
        chmod("tw.cfg", 0644);
        rmdir("tw.cfg.new");
    }
}

TEST_F(ConfigFileTest, SaveRefusesATwCfgThatIsNoRegularFile) {
    // The alarm ends a save that would block on the FIFO.
    alarm(20);
    ASSERT_EQ(mkfifo("tw.cfg", 0644), 0);
    saveConfigDirective(CFG_Sound, "off");
    alarm(0);
    struct stat st {};
    ASSERT_EQ(stat("tw.cfg", &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_NE(ReportLog().find("saveConfigDirective: 'tw.cfg' is not a regular file; 'Sound' not "
                               "saved."),
              std::string::npos);
}

TEST_F(ConfigFileTest, GetDirectiveGivesTheRawValueOfTheLastLine) {
    WriteFile("tw.cfg", std::string("PlayerName=Ann\nplayername= Bea Cole\nSound=on\n"));
    char out[64];
    ASSERT_TRUE(getTWCfgDirective(CFG_PlayerName, out, sizeof out));
    EXPECT_STREQ(out, " Bea Cole");
    char small[4];
    ASSERT_TRUE(getTWCfgDirective(CFG_PlayerName, small, sizeof small));
    EXPECT_STREQ(small, " Be");
    EXPECT_FALSE(getTWCfgDirective(CFG_Music, out, sizeof out));
    EXPECT_NE(ReportLog().find("getTWCfgDirective: found 'Sound'."), std::string::npos);
}

TEST_F(ConfigFileTest, PasswordScrambling) {
    char abc[] = "abc";
    ScramblePassword(abc);
    EXPECT_STREQ(abc, "nop");

    char high[] = {120, 0};
    ScramblePassword(high);
    EXPECT_EQ(high[0], 38);
    UnscramblePassword(high);
    EXPECT_EQ(high[0], 120);

    char printable[96];
    for (int i = 0; i < 95; ++i) printable[i] = static_cast<char>(32 + i);
    printable[95] = 0;
    char text[96];
    memcpy(text, printable, sizeof text);
    ScramblePassword(text);
    EXPECT_EQ(strlen(text), 95u);
    UnscramblePassword(text);
    EXPECT_STREQ(text, printable);

    // Bytes above 127 survive: none may turn into a terminator, tab or line
    // feed in "tw.cfg".
    char accented[] = "\xf3\xfc\xfdx";
    ScramblePassword(accented);
    EXPECT_STREQ(accented, "\xf3\xfc\xfd&");
    EXPECT_EQ(strlen(accented), 4u);
    EXPECT_EQ(strcspn(accented, "\t\n\r"), 4u);
    UnscramblePassword(accented);
    EXPECT_STREQ(accented, "\xf3\xfc\xfdx");
}

TEST_F(ConfigFileTest, NumericAddresses) {
    struct Case {
        const char* text;
        BOOL numeric;
        M_DWORD address;
        M_WORD port;
    };
    const Case cases[] = {
        {"127.0.0.1,2593", TRUE, 0x7F000001, 2593},
        {"255.255.255.255,65535", TRUE, 0xFFFFFFFF, 65535},
        {"1.2.3.4,12345x", TRUE, 0x01020304, 12345},
        {"1.2.3.4,25", FALSE, 0, 0},       // the port needs 4 or 5 digits
        {"1.2.3.4,123456", FALSE, 0, 0},   // a sixth digit
        {"1.2.3.4,65536", FALSE, 0, 0},    // no such port
        {"256.1.1.1,2593", FALSE, 0, 0},   // octets are 0-255
        {"1.2.3.4444,2593", FALSE, 0, 0},  // at most 3 digits
        {"1.2.3,2593", FALSE, 0, 0},
        {"1..3.4,2593", FALSE, 0, 0},
        {"1.2.3.4", FALSE, 0, 0},
        {"-1.2.3.4,2593", FALSE, 0, 0},
        {"login.example.net,2593", FALSE, 0, 0},
        {"", FALSE, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNumericAddress(c.text), c.numeric) << c.text;
        M_DWORD address = 1;
        M_WORD port = 1;
        ParseNumericAddress(c.text, &address, &port);
        EXPECT_EQ(address, c.address) << c.text;
        EXPECT_EQ(port, c.port) << c.text;
    }
    EXPECT_DEATH(IsNumericAddress(nullptr), "IsNumericAddress: val == 0");
}

TEST_F(ConfigFileTest, ResolveServerAddressFindsHostsAndReportsFailure) {
    int a = 9, b = 9, c = 9, d = 9, port = 9;
    ASSERT_TRUE(ResolveServerAddress("127.0.0.2,7775", &a, &b, &c, &d, &port));
    EXPECT_EQ((std::vector<int>{a, b, c, d, port}), (std::vector<int>{127, 0, 0, 2, 7775}));
    ASSERT_TRUE(ResolveServerAddress("localhost", &a, &b, &c, &d, &port));
    EXPECT_EQ(a, 127);
    EXPECT_EQ(port, 0);

    const std::string longHost = std::string(300, 'h') + ",2593";
    const char* failing[] = {",2593", "127.0.0.1,70000", "127.0.0.1,-1", longHost.c_str()};
    for (const char* text : failing) {
        a = b = c = d = port = 9;
        EXPECT_FALSE(ResolveServerAddress(text, &a, &b, &c, &d, &port)) << text;
        EXPECT_EQ((std::vector<int>{a, b, c, d, port}), (std::vector<int>{0, 0, 0, 0, 0}));
    }
}

TEST_F(ConfigFileTest, EditServerByNameIsResolvedAtOnce) {
    SetConfigValue(CFG_EditServer, "localhost,2594", FALSE);
    EXPECT_EQ(EditServerAddress >> 24, 127u);
    EXPECT_EQ(EditServerPort, 2594);
    SetConfigValue(CFG_EditServer, "127.0.0.1,99999", FALSE);
    EXPECT_EQ(EditServerAddress, 0u);
    EXPECT_EQ(EditServerPort, 0);
}

}  // namespace
