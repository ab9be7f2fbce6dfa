#include <string>
#include <vector>

#include "app/SmallMessages.h"
#include "app/VersionManager.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "login/CharCreation.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "support/TwTest.h"
#include "support/doubles/WorldServices.h"
#include "support/doubles/RecordingWorldEntry.h"
#include "view/GameAreaEdge.h"
#include "view/Light.h"
#include "view/Repaint.h"
#include "world/Mobile.h"
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
    tw::doubles::WorldServices world;
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

TEST_F(SmallMessagesTest, CombatantIsKeptOnlyForAnObjectThatExists) {
    pPlayerObject = new CPlayer(0x100);
    Deliver({0x30, 0, 0, 0x01, 0x00});
    EXPECT_EQ(pPlayerObject->fightTargetSerial, 0x100u);
    Deliver({0x30, 0, 0, 0x02, 0x00});  // no such object
    EXPECT_EQ(pPlayerObject->fightTargetSerial, 0u);
    Deliver({0x30, 0, 0, 0x01, 0x00});
    Deliver({0x31});
    EXPECT_EQ(pPlayerObject->fightTargetSerial, 0u);
}

TEST_F(SmallMessagesTest, ANewLightLevelRepaintsTheWholeScreen) {
    thelightthingie::ambientLevel = 5;
    Deliver({0x4F, 5});
    EXPECT_FALSE(DirtyList::fullRepaintPending);
    Deliver({0x4F, 9});
    EXPECT_EQ(thelightthingie::ambientLevel, 9);
    EXPECT_TRUE(DirtyList::fullRepaintPending);
}

// The text runs to the end of the message, big-endian; an odd last byte is
// no unit; the copy is terminated.  The window is centred on the pointer
// unless sticky, and a persistent one keeps its text.
TEST_F(SmallMessagesTest, PopupHelpOpensForKnownObjectsOnly) {
    tw::doubles::RecordingWorldEntry entry;
    pPlayerObject = new CPlayer(0x100);
    PopupHelpEnabled = TRUE;
    PopupHelpPersistant = FALSE;
    PopupHelpSticky = FALSE;
    Deliver({0xB7, 0, 12, 0, 0, 0x02, 0x00, 0, 'H', 0, 'i', 0x20});
    EXPECT_TRUE(entry.popupTexts.empty());
    Deliver({0xB7, 0, 12, 0, 0, 0x01, 0x00, 0, 'H', 0x26, 0x3A, 0x20});
    ASSERT_EQ(entry.popupTexts.size(), 1u);
    EXPECT_EQ(entry.popupTexts[0], u"H\u263A");
    CGump* first = PopupHelpGump();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(entry.calls.back(), "ScrollText 0 0 160 100");
    EXPECT_EQ(first->x, -80);
    EXPECT_EQ(first->y, -50);

    // Not persistent: the old window gives way to the new text (counted,
    // since the new window may take the old one's address).
    auto openGumps = [] {
        int n = 0;
        for (CGump* g = g_gumpList; g; g = g->next) ++n;
        return n;
    };
    const int withOne = openGumps();
    Deliver({0xB7, 0, 9, 0, 0, 0x01, 0x00, 0, 'B'});
    EXPECT_EQ(openGumps(), withOne);
    ASSERT_EQ(entry.popupTexts.size(), 2u);
    // Persistent: it stays and the new text is dropped.
    PopupHelpPersistant = TRUE;
    Deliver({0xB7, 0, 9, 0, 0, 0x01, 0x00, 0, 'C'});
    EXPECT_EQ(entry.popupTexts.size(), 2u);
    delete PopupHelpGump();
    // Disabled: nothing opens.
    PopupHelpEnabled = FALSE;
    Deliver({0xB7, 0, 9, 0, 0, 0x01, 0x00, 0, 'D'});
    EXPECT_EQ(entry.popupTexts.size(), 2u);
}

// Entering the world waits for the front end when it is open, and then
// runs whole when its control is used.
TEST_F(SmallMessagesTest, LoginCompletionWaitsForTheFrontEnd) {
    struct Creation : CharacterCreation {
        int closed = 0;
        void OpenProfessionGump() override {}
        void CloseCreationGumps() override { ++closed; }
    } creation;
    tw::ScopedService<CharacterCreation> installed(&creation);
    tw::doubles::RecordingWorldEntry entry;
    CGump* open = new CGump(10, 10, nullptr, nullptr, 0, 20, 20);
    open->PutInGump(nullptr);
    entry.defer = TRUE;
    g_worldShown = FALSE;
    g_loginComplete = FALSE;
    Deliver({0x55});
    EXPECT_FALSE(g_worldShown);
    EXPECT_EQ(creation.closed, 1);
    ASSERT_NE(entry.deferred, nullptr);
    EXPECT_TRUE(CGumpManager::IsGumpOpen(open));
    entry.deferred();
    EXPECT_FALSE(CGumpManager::IsGumpOpen(open));
    EXPECT_TRUE(g_worldShown);
    EXPECT_TRUE(g_loginComplete);
    EXPECT_EQ(g_gumpRootState, 1);
    EXPECT_EQ(entry.calls, (std::vector<std::string>{"Defer", "LoadDesktop"}));
    EXPECT_NE(g_gameAreaEdges[0], nullptr);
    g_worldShown = FALSE;
    g_loginComplete = FALSE;
    g_gumpRootState = 0;
}

}  // namespace
