// The library callbacks that ask the application: the paperdoll's skills,
// help, chat and war buttons and the skill window's use buttons, against a
// loopback server; none writes to a closed connection.
#include <string>
#include <vector>

#include "MacroTestSupport.h"
#include "gumps/ButtonGump.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "world/Player.h"

namespace {

using tw::test::Bytes;
using tw::test::TextCommandBytes;

constexpr M_DWORD kPlayer = 0x00001234;

class PaperdollCallbackTest : public tw::test::ConnectedMacroTest {
protected:
    void SetUp() override {
        ConnectedMacroTest::SetUp();
        pPlayerObject = new CPlayer(kPlayer);
        pPlayerObject->objectType = 0x190;
    }
};

TEST_F(PaperdollCallbackTest, TheButtonsSendTheirRequests) {
    tw::doubles::Listed<CGump> paperdoll(pPlayerObject);
    Bytes help(258, 0);
    help[0] = 0x9B;
    Bytes chat(64, 0);
    chat[0] = 0xB5;
    struct Case {
        const char* name;
        GumpCallback callback;
        Bytes sent;
    };
    const Case cases[] = {
        {"PaperdollStatus",
         &CGump::PaperdollStatus,
         {0x34, 0xED, 0xED, 0xED, 0xED, 5, 0, 0, 0x12, 0x34}},
        {"PaperdollHelp", &CGump::PaperdollHelp, help},
        {"PaperdollChat", &CGump::PaperdollChat, chat},
        {"UseSkill", &CGump::UseSkill, TextCommandBytes(0x24, "12 0")},
    };
    paperdoll.buttonValue = 12;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        (paperdoll.*c.callback)();
        EXPECT_EQ(Sent(1), std::vector<Bytes>{c.sent});
    }
    EXPECT_EQ(dialogs.skillListRequests, 1) << "the skills request is noted";
    EXPECT_EQ(g_macroState.lastSkill, 12) << "the used skill is the last one";

    paperdoll.ToggleWarMode();
    const Bytes war = Sent(1).at(0);
    EXPECT_EQ(war[0], 0x72);
    EXPECT_EQ(war[1], 1);
    // Another mobile's paperdoll leaves war mode alone.
    tw::doubles::Listed<CGump> other;
    other.ToggleWarMode();
    EXPECT_TRUE(SendsNothing());

    // With a chat window open, the chat button raises it instead.
    tw::doubles::Listed<CGump> chatWindow;
    CGumpManager::pChatGump = &chatWindow;
    tw::doubles::Listed<CGump> over;
    paperdoll.PaperdollChat();
    EXPECT_TRUE(SendsNothing());
    EXPECT_EQ(g_gumpList, &chatWindow);
    CGumpManager::pChatGump = nullptr;
}

TEST_F(PaperdollCallbackTest, NothingIsWrittenToAClosedConnection) {
    tw::doubles::Listed<CGump> paperdoll(pPlayerObject);
    g_pGameSocket->Close();
    const GumpCallback callbacks[] = {&CGump::PaperdollStatus, &CGump::PaperdollHelp,
                                      &CGump::PaperdollChat, &CGump::ToggleWarMode,
                                      &CGump::UseSkill};
    for (GumpCallback callback : callbacks) (paperdoll.*callback)();
    EXPECT_EQ(g_pGameSocket->OutputLength(), 0u);
    const std::string log = ReportLog();
    for (const char* who :
         {"PaperdollStatus", "PaperdollHelp", "PaperdollChat", "ToggleWarMode", "UseSkill"})
        EXPECT_NE(log.find(std::string("CGump::") + who + ": the connection is not open"),
                  std::string::npos)
            << who;
    EXPECT_EQ(dialogs.skillListRequests, 0);
}

}  // namespace
