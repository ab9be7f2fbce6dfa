// The built patch program, run as a child process in a temporary folder
// against the loopback patch server, with the stand-in patch command first
// on its PATH.  Layout of each test's folder:
//   client/   the program's working directory (verinfo, patchlog, downloads)
//   bin/      patch-apply
//   kept/     copies of the patch files the command was given
//   apply.log how the command was called
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/PatchServer.h"
#include "support/Subprocess.h"
#include "support/TwTest.h"

namespace {

namespace fs = std::filesystem;
using tw::test::FileExists;
using tw::test::kLoopback;
using tw::test::ListedFile;
using tw::test::PatchRound;
using tw::test::PatchServer;
using tw::test::ProcessResult;
using tw::test::ReadFile;
using tw::test::ServedFile;
using tw::test::WriteFile;

const char* const kGiveUp =
    "Your client may not be the most recent version.\n"
    "You may be able to play the game with your current client.\n"
    "Click OK to play the game or Cancel to abort.\n";

std::string Verinfo(unsigned port, const std::string& items) {
    return "7\n.\n./\n127 0 0 1 " + std::to_string(port) + "\n" + items;
}

// Bytes that differ from block to block, so a misplaced block shows.
std::string Content(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (char& c : bytes) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    return bytes;
}

// A port on which nothing listens.
unsigned ClosedPort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(kLoopback);
    socklen_t size = sizeof at;
    bind(fd, reinterpret_cast<sockaddr*>(&at), size);
    getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size);
    close(fd);
    return ntohs(at.sin_port);
}

::testing::AssertionResult Shows(const std::string& out, const std::string& text) {
    if (out.find(text) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "output lacks \"" << text << "\"; output:\n" << out;
}

using Events = std::vector<std::string>;

class PatchSessionTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        ResetFolders();
        fs::create_directory("bin");
        fs::copy_file(PATCH_APPLY_SCRIPT, "bin/patch-apply");
        chmod("bin/patch-apply", 0755);
    }

    // A clean client folder for the next row of a table.
    void ResetFolders() {
        for (const char* folder : {"client", "kept"}) {
            fs::remove_all(folder);
            fs::create_directory(folder);
        }
        fs::remove("apply.log");
    }

    ProcessResult Run(std::vector<std::string> env = {}, const char* program = TIDEMEND_PATH) {
        const char* path = getenv("PATH");
        env.push_back("PATH=" + dir() + "/bin:" + (path ? path : "/usr/bin:/bin"));
        env.push_back("PATCH_APPLY_LOG=" + dir() + "/apply.log");
        env.push_back("PATCH_APPLY_KEEP=" + dir() + "/kept");
        ProcessResult result = tw::test::RunProcess({program}, dir() + "/client", env, 30000);
        EXPECT_FALSE(result.timedOut) << result.out;
        return result;
    }

    // Every file under the test's folder, by relative path.
    std::set<std::string> Tree() {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(dir()))
            if (!entry.is_directory()) files.insert(fs::relative(entry.path(), dir()).string());
        return files;
    }

    std::string Calls(const std::vector<std::string>& localNames) {
        std::string log;
        for (const std::string& name : localNames)
            log += "call\ncwd=" + fs::canonical("client").string() + "\narg=" + name + "\narg=.\n";
        return log;
    }
};

TEST_F(PatchSessionTest, UpToDateInstallationSendsEveryVersionAndEnds) {
    PatchServer server;
    server.AddRound({});
    const std::string verinfo = Verinfo(server.port(), "a.dat 3\nb.dat -1\n");
    WriteFile("client/verinfo", verinfo);
    WriteFile("client/patchlog", "earlier run\n");

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(server.Finish(), (Events{"connect", "hello 21", "version a.dat 3",
                                       "version b.dat 4294967295", "end"}));
    EXPECT_TRUE(
        Shows(result.out, "Connecting to patch server 127.0.0.1:" + std::to_string(server.port()) +
                              "\nConnected to patch server\n"
                              "Exchanging version information with patch server\n"
                              "Ending session\n"));
    EXPECT_EQ(ReadFile("client/patchlog"), "earlier run\n");
    EXPECT_EQ(ReadFile("client/verinfo"), verinfo);
}

TEST_F(PatchSessionTest, DiversionReconnectsAndSendsTheProtocolVersionAgain) {
    PatchServer target;
    target.AddRound({});
    PatchServer diverter;
    PatchRound divert;
    divert.divert = {{kLoopback, target.port()}};
    diverter.AddRound(divert);
    WriteFile("client/verinfo", Verinfo(diverter.port(), "a.dat 1\n"));

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(diverter.Finish(), (Events{"connect", "hello 21"}));
    EXPECT_EQ(target.Finish(), (Events{"connect", "hello 21", "version a.dat 1", "end"}));
    EXPECT_TRUE(Shows(result.out, "Diverting to 127.0.0.1:" + std::to_string(target.port()) +
                                      "\nConnecting to patch server 127.0.0.1:" +
                                      std::to_string(target.port()) + "\n"));
}

// The program receives ahead of what it has read.  A diverting server that
// sends more than its answer, all at once, leaves bytes behind in that
// read-ahead; they belong to the closed connection, not to the next server.
TEST_F(PatchSessionTest, BytesADivertingServerSentPastItsAnswerAreNotReadFromTheNextServer) {
    PatchServer target;
    target.AddRound({});
    PatchServer diverter;
    PatchRound divert;
    const std::uint32_t targetPort = target.port();
    divert.custom = [targetPort](tw::test::PatchConn& conn) {
        std::uint32_t hello;
        if (!conn.ReadU32(hello)) return;
        conn.Record("hello " + std::to_string(hello));
        std::string reply;
        // okay, divert, address, port, then a stray word that the next
        // server's "okay" would be read from: 2, a wrong protocol.
        for (std::uint32_t word : {1u, 0u, kLoopback, targetPort, 2u}) {
            const std::uint32_t wire = htonl(word);
            reply.append(reinterpret_cast<const char*>(&wire), 4);
        }
        conn.SendRaw(reply);
        conn.WaitForClose();
    };
    diverter.AddRound(divert);
    WriteFile("client/verinfo", Verinfo(diverter.port(), "a.dat 1\n"));

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(diverter.Finish(), (Events{"connect", "hello 21"}));
    EXPECT_EQ(target.Finish(), (Events{"connect", "hello 21", "version a.dat 1", "end"}));
    EXPECT_FALSE(Shows(result.out, "Wrong protocol version"));
}

TEST_F(PatchSessionTest, ConnectFailuresEndTheRun) {
    struct Case {
        const char* what;
        std::uint32_t okay;
        std::uint32_t divertPort;  // 0: none; 1: back to the same server
        const char* shown;
        size_t hellos;
    };
    const Case cases[] = {
        {"wrong protocol", 2, 0, "Wrong protocol version\n", 1},
        {"divert port beyond 16 bits", 1, 70000, "Bad divert port 70000\n", 1},
        {"servers diverting in a circle", 1, 1, "Too many diversions\n", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetFolders();
        PatchServer server;
        for (int i = 0; i < 20; ++i) {
            PatchRound round;
            round.okay = c.okay;
            if (c.divertPort)
                round.divert = {{kLoopback, c.divertPort == 1 ? server.port() : c.divertPort}};
            server.AddRound(round);
        }
        WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));
        ProcessResult result = Run();
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(
            Shows(result.out, std::string(c.shown) + "Could not connect to a patch server\n"));
        EXPECT_TRUE(Shows(result.out, kGiveUp));
        Events events = server.Finish();
        EXPECT_EQ(static_cast<size_t>(std::count(events.begin(), events.end(), "hello 21")),
                  c.hellos);
    }
}

TEST_F(PatchSessionTest, MessageOfTheDay) {
    struct Case {
        const char* what;
        std::uint32_t status;
        std::string motd;
        std::optional<std::uint32_t> announced;
        int exitStatus;
        std::string shown;
        bool sessionRuns;
    };
    const Case cases[] = {
        {"none", 1, "", {}, 0, "Connected to patch server\nExchanging version", true},
        {"shown, then the session",
         2,
         "Tide\r\n\x01 high",
         {},
         0,
         "Reading message\nDisplaying message\nTide\r\n\\x01 highDone displaying message\n",
         true},
        // Control characters reach the terminal as visible escapes; line
        // ends, tabs and UTF-8 letters pass.
        {"control characters escaped",
         2,
         "\x1b]0;owned\x07\x1b[2J\tTab\r\nline\rover \xc3\xa9 \xc2\x9b"
         "1m \x9b"
         "2J\x7f",
         {},
         0,
         "Displaying message\n\\x1B]0;owned\\x07\\x1B[2J\tTab\r\nline\\x0Dover \xc3\xa9 "
         "\\xC2\\x9B"
         "1m \\x9B"
         "2J\\x7FDone displaying message\n",
         true},
        {"shown, then stop",
         3,
         "Closed",
         {},
         1,
         "Displaying message\nClosedDone displaying message\n",
         false},
        {"zero length", 2, "", 0u, 0, "Odd, zero length motd reported\n", true},
        {"server error", 0, "", {}, 0, "Error message from patch server\n", false},
        {"unknown status", 4, "", {}, 0, "Unknown response from patch server\n", false},
        {"longer than 1 MB", 2, "", 2u << 20, 0, "Message of the day too long", false},
        {"cut short", 2, "abcd", 10u, 0, "Error reading motd from socket\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetFolders();
        PatchServer server;
        PatchRound round;
        round.motdStatus = c.status;
        round.motd = c.motd;
        round.motdLength = c.announced;
        server.AddRound(round);
        WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

        ProcessResult result = Run();
        EXPECT_EQ(result.status, c.exitStatus);
        EXPECT_TRUE(Shows(result.out, c.shown));
        Events events = server.Finish();
        if (c.sessionRuns) {
            EXPECT_EQ(events, (Events{"connect", "hello 21", "version a.dat 1", "end"}));
        } else if (c.status == 3) {
            EXPECT_EQ(events, (Events{"connect", "hello 21", "end"}));
            EXPECT_FALSE(Shows(result.out, "Trying alternate"));
        } else {
            EXPECT_EQ(events, (Events{"connect", "hello 21"}));
            EXPECT_TRUE(Shows(result.out, kGiveUp));
        }
    }
}

TEST_F(PatchSessionTest, DownloadsFreshResumedCompleteAndTooLongFiles) {
    const std::string fresh = Content(10000, 1), resumed = Content(9000, 2),
                      complete = Content(5000, 3), shorter = Content(6000, 4);
    WriteFile("client/resume.rtp", resumed.substr(0, 1000));
    WriteFile("client/same.rtp", complete);
    WriteFile("client/long.rtp", shorter + "stale tail");

    PatchServer server;
    PatchRound round;
    round.lists["a.dat"] = {
        {{"fresh.rtp", 10000}, {"resume.rtp", 9000}, {"same.rtp", 5000}, {"long.rtp", 6000}}};
    round.files = {{"fresh.rtp", {fresh}},
                   {"resume.rtp", {resumed}},
                   {"same.rtp", {complete}},
                   {"long.rtp", {shorter}}};
    server.AddRound(round);
    const std::string verinfo = Verinfo(server.port(), "a.dat 1\n");
    WriteFile("client/verinfo", verinfo);

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(server.Finish(),
              (Events{"connect", "hello 21", "version a.dat 1", "request fresh.rtp 0",
                      "request resume.rtp 1000", "request long.rtp 0", "version a.dat 1", "end"}));
    EXPECT_EQ(ReadFile("kept/fresh.rtp"), fresh);
    EXPECT_EQ(ReadFile("kept/resume.rtp"), resumed);
    EXPECT_EQ(ReadFile("kept/same.rtp"), complete);
    EXPECT_EQ(ReadFile("kept/long.rtp"), shorter);
    EXPECT_EQ(ReadFile("apply.log"),
              Calls({"./fresh.rtp", "./resume.rtp", "./same.rtp", "./long.rtp"}));
    EXPECT_TRUE(Shows(result.out, "Received file name \"fresh.rtp\" of length 10000\n"));
    EXPECT_TRUE(Shows(result.out,
                      "Reading file \"fresh.rtp\" of size 10000 as file name "
                      "\"./fresh.rtp\"\nRead a total of 10000 bytes\n"));
    EXPECT_TRUE(Shows(result.out, "Resuming transfer of file \"resume.rtp\" at offset 1000\n"));
    EXPECT_TRUE(Shows(result.out, "Read a total of 9000 bytes\n"));
    EXPECT_TRUE(Shows(result.out, "Using existing file \"same.rtp\" of size 5000\n"));
    // The files are gone once applied, and the version-info file was
    // rewritten in place.
    EXPECT_EQ(Tree(), (std::set<std::string>{"apply.log", "bin/patch-apply", "client/patchlog",
                                             "client/verinfo", "kept/fresh.rtp", "kept/long.rtp",
                                             "kept/resume.rtp", "kept/same.rtp"}));
    EXPECT_EQ(ReadFile("client/verinfo"), verinfo);
}

// Files larger than what the client gathers before writing, in blocks that
// do not divide it and in blocks of exactly its size, arriving in pieces of
// 1 to 9 bytes, so that receives end at every place in the block headers
// and the data.
TEST_F(PatchSessionTest, DownloadsArrivingInTinyPiecesAreWhole) {
    const std::string odd = Content(200001, 6), even = Content(140000, 7);
    PatchServer server;
    PatchRound round;
    round.lists["a.dat"] = {{{"odd.rtp", 200001}, {"even.rtp", 140000}}};
    ServedFile oddFile(odd, 999), evenFile(even, 65536);
    oddFile.dribble = evenFile.dribble = true;
    round.files = {{"odd.rtp", oddFile}, {"even.rtp", evenFile}};
    server.AddRound(round);
    WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadFile("kept/odd.rtp"), odd);
    EXPECT_EQ(ReadFile("kept/even.rtp"), even);
    EXPECT_TRUE(Shows(result.out, "Read a total of 200001 bytes\n"));
    EXPECT_TRUE(Shows(result.out, "Read a total of 140000 bytes\n"));
}

TEST_F(PatchSessionTest, RefusedFileFailsTheSession) {
    PatchServer server;
    PatchRound round;
    round.lists["a.dat"] = {{{"x.rtp", 10}}};
    round.files["x.rtp"].refuse = true;
    server.AddRound(round);
    WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Shows(result.out,
                      "Receiving \"x.rtp\"\nServer refused to send file\n"
                      "Error receiving \"x.rtp\"\nError during session\n"));
    EXPECT_FALSE(FileExists("apply.log"));
    EXPECT_FALSE(FileExists("client/x.rtp"));
}

// A list that fails while it is read has had nothing downloaded: the names
// listed before the failure are files of the installation or partial
// downloads, and stay as they are.
TEST_F(PatchSessionTest, AFailedFileListDeletesNothing) {
    struct Case {
        const char* what;
        std::vector<ListedFile> second;  // listed after keep.txt and part.rtp
        const char* shown;
    };
    const Case cases[] = {
        {"refused name", {{"../x.rtp", 1}}, "Refusing file name \"../x.rtp\""},
        {"over-long name", {{std::string(513, 'n'), 1}}, "File name from patch server too long"},
    };
    for (const Case& c : cases) {
        for (bool sameItem : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (sameItem ? ", same item" : ", next item"));
            ResetFolders();
            WriteFile("client/keep.txt", "mine");
            WriteFile("client/part.rtp", "half");
            PatchServer server;
            PatchRound round;
            std::vector<ListedFile> first = {{"keep.txt", 4}, {"part.rtp", 9}};
            if (sameItem) {
                first.insert(first.end(), c.second.begin(), c.second.end());
            } else {
                round.lists["b.dat"] = {c.second};
            }
            round.lists["a.dat"] = {first};
            server.AddRound(round);
            WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\nb.dat 1\n"));

            ProcessResult result = Run();
            EXPECT_EQ(result.status, 0);
            EXPECT_TRUE(Shows(result.out, c.shown));
            EXPECT_TRUE(Shows(result.out, "Error during session\n"));
            EXPECT_EQ(ReadFile("client/keep.txt"), "mine");
            EXPECT_EQ(ReadFile("client/part.rtp"), "half");
            EXPECT_FALSE(FileExists("apply.log"));
        }
    }
}

// A file's bytes stop at the size announced with it; more fails the session
// at once and keeps what came within the size, as a broken download does.
TEST_F(PatchSessionTest, BytesBeyondTheAnnouncedSizeFailTheSession) {
    struct Case {
        const char* what;
        size_t contentSize;
        size_t blockSize;
        size_t kept;
    };
    const Case cases[] = {
        {"4 MB in large blocks", 4u << 20, 65536, 0},
        {"small blocks running past the size", 64, 4, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetFolders();
        const std::string content = Content(c.contentSize, 8);
        PatchServer server;
        PatchRound round;
        round.lists["a.dat"] = {{{"big.rtp", 10}}};
        ServedFile file(content, c.blockSize);
        file.announced = 10;
        round.files = {{"big.rtp", file}};
        server.AddRound(round);
        WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

        ProcessResult result = Run();
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(Shows(result.out,
                          "Reading file \"big.rtp\" of size 10 as file name \"./big.rtp\"\n"
                          "File data beyond the announced size of 10 bytes from socket\n"
                          "Error receiving \"big.rtp\"\nError during session\n"));
        EXPECT_EQ(ReadFile("client/big.rtp"), content.substr(0, c.kept));
        EXPECT_FALSE(FileExists("apply.log"));
    }
}

// Names come from the server: the one a reply echoes, and listed names with
// C1 controls, which are valid file names, reach the terminal escaped.
TEST_F(PatchSessionTest, NamesFromTheServerAreShownEscaped) {
    const std::string listed =
        "a\xc2\x9b"
        "2J.txt";
    PatchServer server;
    PatchRound round;
    round.lists["a.dat"] = {{{listed, 2}}};
    ServedFile file("hi");
    file.replyName = "\x1b]0;pwned\x07\x1b[2J";
    round.files = {{listed, file}};
    server.AddRound(round);
    WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Shows(result.out,
                      "Received file name \"a\\xC2\\x9B"
                      "2J.txt\" of length 2\n"));
    EXPECT_TRUE(Shows(result.out,
                      "Reading file \"\\x1B]0;pwned\\x07\\x1B[2J\" of size 2 as file name "
                      "\"./a\\xC2\\x9B"
                      "2J.txt\"\n"));
    EXPECT_EQ(result.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(result.out.find("\xc2\x9b"), std::string::npos);
}

TEST_F(PatchSessionTest, BrokenBlockIsResumedOnTheNextRun) {
    const std::string content = Content(20000, 5);
    PatchServer server;
    PatchRound broken;
    broken.lists["a.dat"] = {{{"big.rtp", 20000}}};
    broken.files["big.rtp"] = {content, 8192, 10000};
    PatchRound whole = broken;
    whole.files["big.rtp"].cutAt.reset();
    server.AddRound(broken);
    server.AddRound(whole);
    WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

    ProcessResult first = Run();
    EXPECT_EQ(first.status, 0);
    EXPECT_TRUE(Shows(first.out,
                      "Error reading file block from socket\n"
                      "To attempt to resume the transfer press Cancel and run TW "
                      "again.\nError receiving \"big.rtp\"\n"));
    EXPECT_EQ(ReadFile("client/big.rtp"), content.substr(0, 10000));

    ProcessResult second = Run();
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(server.Finish(),
              (Events{"connect", "hello 21", "version a.dat 1", "request big.rtp 0", "cut big.rtp",
                      "connect", "hello 21", "version a.dat 1", "request big.rtp 10000",
                      "version a.dat 1", "end"}));
    EXPECT_EQ(ReadFile("kept/big.rtp"), content);
    EXPECT_FALSE(FileExists("client/big.rtp"));
}

TEST_F(PatchSessionTest, PatchCommandStatusDecides) {
    struct Case {
        const char* status;
        std::string calls;
        const char* shown;
        bool rewritten;
        const char* lastPatched;
    };
    const Case cases[] = {
        {"0", Calls({"./p.rtp", "./q.bz2"}),
         "Applying patch ./p.rtp on path .\nApplied patch\nApplying patch ./q.bz2 on path "
         ".\nApplied patch\nWriting version information\n",
         true, "./q.bz2"},
        {"4", Calls({"./p.rtp"}),
         "Applying patch ./p.rtp on path .\nError applying patch\nError during session\n", false,
         "./p.rtp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        ResetFolders();
        PatchServer server;
        PatchRound round;
        round.lists["a.dat"] = {{{"p.rtp", 1}, {"q.bz2", 1}}};
        round.files = {{"p.rtp", {"p"}}, {"q.bz2", {"q"}}};
        server.AddRound(round);
        WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

        ProcessResult result =
            Run({std::string("PATCH_APPLY_STATUS=") + c.status, "PATCH_APPLY_WRITE=fixed.txt"});
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(Shows(result.out, c.shown));
        EXPECT_EQ(ReadFile("apply.log"), c.calls);
        EXPECT_EQ(ReadFile("client/fixed.txt"),
                  std::string("patched from ") + c.lastPatched + "\n");
        EXPECT_EQ(Shows(result.out, "Ending session\n"), c.rewritten);
    }
}

TEST_F(PatchSessionTest, PatchInfoFileMergesAndTheVersionInfoIsRewritten) {
    PatchServer server;
    PatchRound round;
    round.lists["a.dat"] = {{{"update.pat", 16}, {"notes.txt", 2}}};
    round.files = {{"update.pat", {"a.dat 5\nc.dat 9\n"}}, {"notes.txt", {"hi"}}};
    server.AddRound(round);
    WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\nb.dat 2\n"));

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(server.Finish(),
              (Events{"connect", "hello 21", "version a.dat 1", "version b.dat 2",
                      "request update.pat 0", "request notes.txt 0", "version a.dat 5",
                      "version b.dat 2", "version c.dat 9", "end"}));
    EXPECT_TRUE(Shows(result.out,
                      "Processing files\nChanging item a.dat from 1 to 5\n"
                      "Adding item c.dat of version 9\n"
                      "Writing version information\n"));
    EXPECT_EQ(ReadFile("client/verinfo"), Verinfo(server.port(), "a.dat 5\nb.dat 2\nc.dat 9\n"));
    EXPECT_EQ(Tree(),
              (std::set<std::string>{"bin/patch-apply", "client/patchlog", "client/verinfo"}));
}

TEST_F(PatchSessionTest, FallsBackToTheSecondVersionInfoFile) {
    const unsigned closed = ClosedPort();
    PatchServer server;
    server.AddRound({});
    WriteFile("client/verinfo", Verinfo(closed, "a.dat 1\n"));
    WriteFile("client/versioninfo", Verinfo(server.port(), "b.dat 2\n"));

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(
        Shows(result.out, "Could not connect to patch server 127.0.0.1:" + std::to_string(closed) +
                              "\nCould not connect to a patch server\nMake sure you have an active "
                              "connection to the Internet via an ISP or a direct connection.\n"
                              "Trying alternate versioninfo file...\n"));
    EXPECT_TRUE(Shows(result.out, "Ending session\n"));
    EXPECT_EQ(server.Finish(), (Events{"connect", "hello 21", "version b.dat 2", "end"}));
}

TEST_F(PatchSessionTest, WithoutAVersionInfoFileTheProgramGivesUp) {
    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string("Could not read versioninfo file\n"
                                      "Trying alternate versioninfo file...\n"
                                      "Could not read versioninfo file\n") +
                              kGiveUp);
    EXPECT_TRUE(FileExists("client/patchlog"));
    EXPECT_EQ(ReadFile("client/patchlog"), "");
}

TEST_F(PatchSessionTest, HostileNamesNeverLeaveTheClientFolder) {
    const std::string outside = dir() + "/outside.rtp";
    const std::string names[] = {
        "../outside.rtp", outside,   "sub/x.rtp",          "..",       ".",
        "a\"b.rtp",       "a'b.rtp", "a`b`.rtp",           "a\nb.rtp", "a\x01.rtp",
        "-v.rtp",         "--help",  std::string(513, 'n')};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ResetFolders();
        PatchServer server;
        PatchRound round;
        round.lists["a.dat"] = {{{"ok.rtp", 2}, {name, 4}}};
        round.files = {{"ok.rtp", {"ok"}}, {name, {"evil"}}};
        server.AddRound(round);
        WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

        ProcessResult result = Run();
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(Shows(result.out, name.size() > 512 ? "File name from patch server too long"
                                                        : "Refusing file name \""));
        EXPECT_EQ(server.Finish(), (Events{"connect", "hello 21", "version a.dat 1", "closed"}));
        EXPECT_EQ(Tree(),
                  (std::set<std::string>{"bin/patch-apply", "client/patchlog", "client/verinfo"}));
    }
}

TEST_F(PatchSessionTest, ShellCharactersReachThePatchCommandAsPlainText) {
    const std::string name = "$(touch pwned);x&y|z>w.rtp";
    PatchServer server;
    PatchRound round;
    round.lists["a.dat"] = {{{name, 4}}};
    round.files = {{name, {"data"}}};
    server.AddRound(round);
    WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadFile("apply.log"), Calls({"./" + name}));
    EXPECT_EQ(Tree(), (std::set<std::string>{"apply.log", "bin/patch-apply", "client/patchlog",
                                             "client/verinfo", "kept/" + name}));
}

TEST_F(PatchSessionTest, TooManyListedFilesFailCleanly) {
    PatchServer server;
    PatchRound round;
    std::vector<ListedFile> list;
    for (int i = 0; i < 513; ++i) {
        char name[16];
        snprintf(name, sizeof name, "f%d.dat", i);
        list.push_back({name, 1});
    }
    round.lists["a.dat"] = {list};
    server.AddRound(round);
    WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

    ProcessResult result = Run();
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Shows(result.out,
                      "Received file name \"f511.dat\" of length 1\n"
                      "Too many files listed by patch server\nError during session\n"));
    EXPECT_EQ(server.Finish(), (Events{"connect", "hello 21", "version a.dat 1", "closed"}));
}

TEST_F(PatchSessionTest, KeepaliveMessagesFlowWhileThePatchCommandRuns) {
    PatchServer server;
    PatchRound round;
    round.lists["a.dat"] = {{{"p.rtp", 1}}};
    round.files = {{"p.rtp", {"p"}}};
    server.AddRound(round);
    // The command waits until the server has seen a keep-alive.
    const std::string seen = dir() + "/keepalive-seen";
    server.TouchOnKeepalive(seen);
    WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

    ProcessResult result = Run({"PATCH_APPLY_WAIT=" + seen}, TIDEMEND_QUICK_KEEPALIVE_PATH);
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Shows(result.out, "Applied patch\n"));
    EXPECT_EQ(server.Finish(), (Events{"connect", "hello 21", "version a.dat 1", "request p.rtp 0",
                                       "version a.dat 1", "end"}));
    EXPECT_GE(server.Keepalives(), 1);
}

TEST_F(PatchSessionTest, KeepaliveThatCannotBeSentFailsThePatch) {
    PatchServer server;
    PatchRound round;
    round.lists["a.dat"] = {{{"p.rtp", 1}}};
    round.files = {{"p.rtp", {"p"}}};
    round.files["p.rtp"].hangUp = true;
    server.AddRound(round);
    WriteFile("client/verinfo", Verinfo(server.port(), "a.dat 1\n"));

    // The command outlasts several keep-alive periods after the hang-up.
    ProcessResult result = Run({"PATCH_APPLY_SLEEP=2"}, TIDEMEND_QUICK_KEEPALIVE_PATH);
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Shows(result.out,
                      "Applying patch ./p.rtp on path .\n"
                      "Error writing to socket during keepalive messages\n"
                      "Error during session\n"));
    EXPECT_EQ(server.Finish(),
              (Events{"connect", "hello 21", "version a.dat 1", "request p.rtp 0", "hang up"}));
    EXPECT_EQ(ReadFile("client/verinfo"), Verinfo(server.port(), "a.dat 1\n"));
}

}  // namespace
