// Speech from the loopback game server shown over its speaker on a real
// window: an Xvfb server at depth 16, the real connection, handlers, barks
// and gump drawing, read back through the X server.
#include <memory>

#include "Clock.h"
#include "CommTestSupport.h"
#include "support/LoopbackServer.h"
#include "support/WideText.h"
#include "support/Xvfb.h"
// Xlib's macros come after the test framework.
#include "ByteWriter.h"
#include "FrameBuf.h"
#include "PlatformServices.h"
#include "X11Lock.h"
#include "X_FrameBuf.h"
#include "comm/BarkGump.h"
#include "comm/SpeechPackets.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "world/Obj.h"

namespace {

M_DWORD g_now = 5000;
M_DWORD Now() {
    return g_now;
}

constexpr M_DWORD kSpeaker = 0x00004321;

tw::test::Bytes EightBitSpeech(const std::string& text) {
    tw::test::Bytes m;
    ByteWriter w(m);
    w.u8(0x1C).u16be(static_cast<M_WORD>(44 + text.size() + 1)).u32be(kSpeaker).u16be(0x190);
    w.u8(0).u16be(0x21).u16be(3).raw(std::string("Ranger").append(24, '\0')).raw(text).u8(0);
    return m;
}

tw::test::Bytes UnicodeSpeech(const std::string& text) {
    tw::test::Bytes m;
    ByteWriter w(m);
    w.u8(0xAE).u16be(static_cast<M_WORD>(48 + 2 * (text.size() + 1))).u32be(kSpeaker);
    w.u16be(0x190).u8(0).u16be(0x30).u16be(3).raw("ENU", 4);
    w.raw(std::string("Ranger").append(24, '\0'));
    for (char c : text) w.u16be(static_cast<M_BYTE>(c));
    w.u16be(0);
    return m;
}

int Barks() {
    int n = 0;
    for (CGump* g = g_gumpList; g; g = g->next) n += g->IsBarkGump();
    return n;
}

class BarkWindowTest : public tw::test::CommTest {
protected:
    void TearDown() override {
        SetTimeSourceForTests(nullptr);
        while (CGump* head = g_gumpList) delete head;
        delete g_pGameSocket;
        g_pGameSocket = nullptr;
        delete g_frameBuf;
        g_frameBuf = nullptr;
        server_.reset();
        CommTest::TearDown();
    }
    tw::test::Image16 Shown() {
        CGumpManager::DrawAllGumps(RECT{0, 0, 640, 480}, 1);
        {
            X11Lock lock;
            XSync(g_xDisplay, False);
        }
        tw::test::XvfbClient client;
        return client.ReadImage(g_xWindow, 640, 480);
    }
    std::unique_ptr<tw::test::XvfbServer> server_;
};

TEST_F(BarkWindowTest, ServerSpeechStandsOverItsSpeakerFollowsStacksAndExpires) {
    server_ = std::make_unique<tw::test::XvfbServer>();
    ASSERT_TRUE(server_->ok()) << server_->error();
    SetTimeSourceForTests(Now);
    use565 = TRUE;
    g_frameBuf = CreateFrameBuf();
    CGumpManager::RecreateMainBitmap();
    ASSERT_NE(g_backBuffer, nullptr);
    for (int i = 0; i < 640 * 480; ++i) {
        const int x = i % 640, y = i / 640;
        g_backBuffer[i] = static_cast<M_WORD>((x / 40) << 11 | (y / 16) << 5 | 6);
    }

    CDynamicObj* speaker = NewDynamicObj(kSpeaker, 0x190, 0);
    speaker->rect = RECT{280, 220, 320, 290};
    InstallSpeechHandlers();
    tw::test::LoopbackServer server;
    g_pGameSocket = new CClientSock;
    ASSERT_TRUE(g_pGameSocket->Connect(tw::test::LoopbackServer::kAddress, server.port()));
    ASSERT_TRUE(server.WaitForConnections(1));
    M_DWORD seed = 0;
    ASSERT_TRUE(server.ReadSeed(&seed));

    ASSERT_TRUE(server.SendMessage(EightBitSpeech("Hail, traveller!")));
    ASSERT_TRUE(tw::test::PollUntil([] { return Barks() == 1; }));
    auto* first = static_cast<CBarkGump*>(g_gumpList);
    EXPECT_EQ(first->owner, speaker);
    EXPECT_EQ(first->x + first->width / 2, 300);
    EXPECT_EQ(first->y + first->height, 224);
    EXPECT_TRUE(tw::test::MatchesGolden(Shown(), "shared/base/comm/golden/bark_over_speaker.png"));

    // The speaker walks a step right and down: the bark goes with it.
    speaker->rect = RECT{302, 231, 342, 301};
    CGumpManager::UpdateBarkPositions();
    EXPECT_EQ(first->x + first->width / 2, 322);
    EXPECT_EQ(first->y + first->height, 235);

    // A second line stacks under the first, which moves up by its height.
    ASSERT_TRUE(server.SendMessage(UnicodeSpeech("Well met.")));
    ASSERT_TRUE(tw::test::PollUntil([] { return Barks() == 2; }));
    auto* second = static_cast<CBarkGump*>(g_gumpList);
    EXPECT_EQ(second->y + second->height, 235);
    EXPECT_EQ(first->y + first->height, second->y);
    EXPECT_TRUE(tw::test::MatchesGolden(Shown(), "shared/base/comm/golden/bark_stack.png"));

    // Both go once their time is over.
    g_now += std::max(first->duration, second->duration) + 1;
    CGumpManager::UpdateBarks();
    EXPECT_EQ(Barks(), 0);
    EXPECT_EQ(speaker->textGumps, nullptr);
}

}  // namespace
