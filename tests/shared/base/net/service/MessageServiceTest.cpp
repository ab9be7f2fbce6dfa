#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/Config.h"
#include "net/GMSSock.h"
#include "net/PacketManager.h"
#include "support/TwTest.h"
#include "support/WideText.h"
#include "support/doubles/RecordingConnection.h"

namespace {

using tw::test::Narrow;
using tw::test::Wide;

class MessageServiceTest : public tw::test::TwTest {
protected:
    // The login screens' names and the mail windows.
    tw::doubles::RecordingConnection upper;

    void SetUp() override {
        TwTest::SetUp();
        g_messageServiceUserNumber = -1;
        g_messageServiceState = 0;
        strcpy(AcctID, "acct");
        strcpy(PlayerName, "TW Player");
    }
    void TearDown() override {
        delete g_pGMSSock;
        g_pGMSSock = nullptr;
        for (int fd : fds_)
            if (fd >= 0) close(fd);
        TwTest::TearDown();
    }

    // A message-service socket that counts as connected: one end of a
    // socket pair stands in for the service.
    CGMSSock* ConnectedSocket() {
        RecreateMessageServiceSocket();
        int pair[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
        fds_.push_back(pair[1]);
        g_pGMSSock->AdoptDescriptorForTests(pair[0]);
        return g_pGMSSock;
    }

    // The output buffer as 16-bit records, each narrowed.
    static std::vector<std::string> Records(const CGMSSock& sock) {
        std::vector<std::string> records;
        std::vector<M_WORD> units;
        const M_BYTE* out = sock.Output();
        for (size_t i = 0; i + 1 < sock.OutputLength(); i += 2) {
            M_WORD u = static_cast<M_WORD>(out[i] | out[i + 1] << 8);
            units.push_back(u);
            if (u == 0) {
                records.push_back(Narrow(units.data()));
                units.clear();
            }
        }
        EXPECT_TRUE(units.empty()) << "a record without its terminator";
        return records;
    }

    std::vector<int> fds_;
};

TEST_F(MessageServiceTest, CommandRecordsByCode) {
    struct Case {
        int code;
        const char* text;
        const char* record;
    };
    const Case cases[] = {
        {1, "abc", "/g abc\r\n"},     {2, "abc", "/b \r\n"},         {3, "a b", "/a a b\r\n"},
        {6, "body", "/r body\r\n"},   {7, "mail", "/x\r\nmail\r\n"}, {9, "abc", "/s \r\n"},
        {13, "abc", "/y \r\n"},       {15, "", "/q \r\n"},           {0, "abc", "ECHO: abc\r\n"},
        {99, "abc", "ECHO: abc\r\n"}, {-1, "x", "ECHO: x\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        M_WORD buffer[64] = {};
        ASSERT_TRUE(PacketManager::BuildMessageServiceCommand(buffer, 64, c.code, Wide(c.text)));
        EXPECT_EQ(Narrow(buffer), c.record);
    }
}

TEST_F(MessageServiceTest, BuildAppendsAndRefusesWhatDoesNotFit) {
    M_WORD buffer[16] = {'o', 'l', 'd', 0};
    ASSERT_TRUE(PacketManager::BuildMessageServiceCommand(buffer, 16, 1, Wide("new")));
    EXPECT_EQ(Narrow(buffer), "old/g new\r\n");

    // "/g " + 5 + "\r\n" needs 10 units and a terminator: one short.
    M_WORD small[10] = {};
    EXPECT_FALSE(PacketManager::BuildMessageServiceCommand(small, 10, 1, Wide("12345")));
    EXPECT_EQ(Narrow(small), "");
    M_WORD exact[11] = {};
    EXPECT_TRUE(PacketManager::BuildMessageServiceCommand(exact, 11, 1, Wide("12345")));

    // A buffer without a terminator within its capacity is never scanned past.
    M_WORD full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(PacketManager::BuildMessageServiceCommand(full, 4, 2, Wide("")));
}

TEST_F(MessageServiceTest, SignInCommandSetsTheServiceState) {
    M_WORD buffer[16] = {};
    PacketManager::BuildMessageServiceCommand(buffer, 16, 2, Wide(""));
    EXPECT_EQ(g_messageServiceState, 0);
    PacketManager::BuildMessageServiceCommand(buffer, 16, 9, Wide(""));
    EXPECT_EQ(g_messageServiceState, 1);
}

TEST_F(MessageServiceTest, HelpMailRecordBytes) {
    upper.characterName = "Ayla";
    upper.shardName = "Eastmarch";
    CGMSSock* sock = ConnectedSocket();

    PacketManager::BuildHelpMail(0, Wide("gm@help"), Wide("Help Desk"), 0, 0, Wide("Stuck"), 0,
                                 Wide("I am stuck."), Wide("Help Email"), nullptr);

    // Little-endian units, the record's terminator included.
    const std::string text =
        "/x\r\nTo: <gm@help> \"Help Desk\" (dummy)\r\nFrom: <-1@localhost> \"Ayla of "
        "Eastmarch\"\r\nSubject: Stuck\r\n\r\nI am stuck.\r\n";
    std::vector<M_BYTE> expected;
    for (char c : text) {
        expected.push_back(static_cast<M_BYTE>(c));
        expected.push_back(0);
    }
    expected.push_back(0);
    expected.push_back(0);
    ASSERT_EQ(sock->OutputLength(), expected.size());
    EXPECT_EQ(std::vector<M_BYTE>(sock->Output(), sock->Output() + sock->OutputLength()), expected);
}

TEST_F(MessageServiceTest, HelpMailSenderLine) {
    struct Case {
        const char* what;
        int useAccount;
        const char* senderId;
        int userNumber;
        const char* character;
        const char* shard;
        const char* from;
    };
    const Case cases[] = {
        {"account", 1, nullptr, 42, "Ayla", "East", "From: <42@localhost> \"acct\""},
        {"sender id given", 0, "help", 42, "Ayla", "East",
         "From: <help@localhost> \"Ayla of East\""},
        {"empty sender id", 0, "", 7, "Ayla", "East", "From: <7@localhost> \"Ayla of East\""},
        {"no shard", 0, nullptr, -1, "Ayla", "", "From: <-1@localhost> \"Ayla of Nowhere\""},
        {"no character", 0, nullptr, -1, "", "East", "From: <-1@localhost> \"TW Player of East\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        upper.characterName = c.character;
        upper.shardName = c.shard;
        g_messageServiceUserNumber = c.userNumber;
        CGMSSock* sock = ConnectedSocket();
        PacketManager::BuildHelpMail(0, Wide("r"), Wide("n"), c.useAccount, 0, Wide("s"), 0,
                                     Wide("b"), nullptr, c.senderId ? Wide(c.senderId) : nullptr);
        std::vector<std::string> records = Records(*sock);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_NE(records[0].find(std::string("\r\n") + c.from + "\r\nSubject: s"),
                  std::string::npos)
            << records[0];
    }
}

TEST_F(MessageServiceTest, HelpMailWithAFlagOpensTheWindowInstead) {
    CGMSSock* sock = ConnectedSocket();
    for (int flag = 0; flag < 3; ++flag) {
        int flags[3] = {0, 0, 0};
        flags[flag] = 1;
        PacketManager::BuildHelpMail(flags[0], Wide("r"), Wide("n"), 0, flags[1], Wide("subject"),
                                     flags[2], Wide("b"), Wide("Help Email"), nullptr);
    }
    EXPECT_EQ(upper.helpMailWindows, (std::vector<std::string>{"subject", "subject", "subject"}));
    EXPECT_EQ(sock->OutputLength(), 0u);
}

TEST_F(MessageServiceTest, NothingIsBufferedWhileNotConnected) {
    // Before the first logout there is no socket object at all.
    PacketManager::SendMessageServiceCommand(1, "page");
    PacketManager::BuildHelpMail(0, Wide("r"), Wide("n"), 0, 0, Wide("s"), 0, Wide("b"), nullptr,
                                 nullptr);

    RecreateMessageServiceSocket();
    ASSERT_FALSE(g_pGMSSock->IsConnected());
    // Far more help mail than the output could ever hold.
    std::string body(1000, 'x');
    for (int i = 0; i < 200; ++i) {
        PacketManager::BuildHelpMail(0, Wide("r"), Wide("n"), 0, 0, Wide("s"), 0, Wide(body),
                                     nullptr, nullptr);
        PacketManager::SendMessageServiceCommand(1, Wide(body));
    }
    EXPECT_EQ(g_pGMSSock->OutputLength(), 0u);
}

TEST_F(MessageServiceTest, BothOverloadsWriteTheSameRecord) {
    CGMSSock* sock = ConnectedSocket();
    PacketManager::SendMessageServiceCommand(10, "12 where am I");
    PacketManager::SendMessageServiceCommand(10, Wide("12 where am I"));
    EXPECT_EQ(Records(*sock),
              (std::vector<std::string>{"/i 12 where am I\r\n", "/i 12 where am I\r\n"}));
}

TEST_F(MessageServiceTest, FullOutputDropsTheRecordThatDoesNotFit) {
    CGMSSock* sock = ConnectedSocket();
    // Each record: "/g " + 1000 + "\r\n" + terminator = 1006 units = 2012 bytes.
    std::string text(1000, 'y');
    int written = 0;
    for (int i = 0; i < 40; ++i) {
        PacketManager::SendMessageServiceCommand(1, text.c_str());
        if (sock->OutputLength() == static_cast<size_t>(written + 1) * 2012) ++written;
    }
    EXPECT_EQ(written, 65536 / 2012);
    EXPECT_EQ(sock->OutputLength(), static_cast<size_t>(written) * 2012);
    std::vector<std::string> records = Records(*sock);
    ASSERT_EQ(records.size(), static_cast<size_t>(written));
    EXPECT_EQ(records.back(), "/g " + text + "\r\n");
    // A smaller record still fits in what is left.
    PacketManager::SendMessageServiceCommand(2, "");
    EXPECT_EQ(Records(*sock).back(), "/b \r\n");
}

TEST_F(MessageServiceTest, ConstructorLogsAndStartsClosed) {
    RecreateMessageServiceSocket();
    EXPECT_EQ(g_pGMSSock->Descriptor(), -1);
    EXPECT_EQ(g_pGMSSock->OutputLength(), 0u);
    EXPECT_NE(ReportLog().find("CSocket::CSocket() begin.\nCGMSSock::CGMSSock(): begin.\n"),
              std::string::npos);
}

}  // namespace
