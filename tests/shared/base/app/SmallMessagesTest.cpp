#include <string>
#include <vector>

#include "app/SmallMessages.h"
#include "app/VersionManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/TwTest.h"
#include "world/ObjectManager.h"

namespace {

class SmallMessagesTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        InstallSmallMessageHandlers();
        ReplaceGameSocket(new CClientSock);
    }
    void TearDown() override {
        ReplaceGameSocket(nullptr);
        PacketManager::reset();
        TwTest::TearDown();
    }
    static void Deliver(std::vector<M_BYTE> b) {
        PacketManager::Dispatch(PacketIn(b.data(), b.size()));
    }
    static std::vector<M_BYTE> Sent() {
        const M_BYTE* out = g_pGameSocket->PendingOutput();
        return std::vector<M_BYTE>(out, out + g_pGameSocket->OutputLength());
    }
};

TEST_F(SmallMessagesTest, VersionQueriesAreAnsweredWithTheVersionText) {
    const std::string version = CVersionManager::GetVersionText();
    Deliver({0xBE, 0x00, 0x07, 0, 0, 0, 7});
    std::vector<M_BYTE> expected = {0xBE, 0, static_cast<M_BYTE>(3 + 4 + version.size() + 1),
                                    0, 0, 0, 7};
    expected.insert(expected.end(), version.begin(), version.end());
    expected.push_back(0);
    EXPECT_EQ(Sent(), expected);

    // Without its value the message is dropped and nothing answers.
    g_pGameSocket->Close();
    ReplaceGameSocket(new CClientSock);
    Deliver({0xBE, 0x00, 0x05, 0, 0});
    EXPECT_EQ(g_pGameSocket->OutputLength(), 0u);
}

TEST_F(SmallMessagesTest, HeldItemFlagIsCleared) {
    CObjectManager::holdingItem = TRUE;
    Deliver({0x29});
    EXPECT_FALSE(CObjectManager::holdingItem);
}

}  // namespace
