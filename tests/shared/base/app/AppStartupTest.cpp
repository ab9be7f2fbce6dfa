#include <cstring>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "Clock.h"
#include "PlatformServices.h"
#include "Service.h"
#include "app/Macros.h"
#include "net/PacketManager.h"
#include "world/Player.h"

namespace {

using tw::test::WriteFile;

// The macros that start-up reads name their keys through the platform's
// X11 key names, as main installs them.
class AppStartupTest : public tw::test::AppTest {
    tw::ScopedService<KeyNames> keyNames_{&X11KeyNames()};
};

TEST_F(AppStartupTest, WithoutVersionDatTheClientIsNotInstalled) {
    EXPECT_DEATH(CApp::startup(),
                 "Tarrowmere does not appear to be installed correctly on your system.\n"
                 "Please copy 'version.dat' to your hard disc and run again");
}

TEST_F(AppStartupTest, ReadsTheSettingsThenTheLoginServersThenTheCharacterHues) {
    WriteFile("version.dat", std::string());
    // Login servers in "tw.cfg" are skipped; the file it names is read with
    // all keys.  Start-up resets what an earlier run may have left.
    WriteFile("tw.cfg",
              "PlayerName=Ann\nLoginServer=10.0.0.9,2593\nLoginServerFile=servers.cfg\n"
              "NextLoginKey=7\nDefaultChar=2\n");
    WriteFile("servers.cfg", "LoginServer=10.0.0.1,2593\nSoundVol=3\n");
    WriteFile("chardata.mul", std::string("\x05\x00", 2));
    WriteFile("macros.txt", "F1 0 0 0\nBow \n########\n");
    CacheSize = 9;
    strcpy(AcctID, "old");
    CApp::framePeriod = 0;
    CApp::createChar.skills[1] = 25;
    CApp::createChar.skillValues[2] = 50;

    CApp::startup();
    EXPECT_TRUE(CApp::started);
    EXPECT_STREQ(PlayerName, "Ann");
    EXPECT_EQ(NextLoginKey, 7);
    EXPECT_EQ(DefaultChar, 2);
    EXPECT_EQ(SoundVol, 3);
    ASSERT_EQ(loginServers.count, 1);
    EXPECT_EQ(loginServers.slots[0].address, 0x0A000001u);
    EXPECT_EQ(CacheSize, 0);
    EXPECT_STREQ(AcctID, "");
    EXPECT_EQ(CApp::framePeriod, 50u);
    EXPECT_EQ(CApp::savedSpeechHues[0], 5);
    EXPECT_EQ(CApp::speechHue, 995);
    EXPECT_EQ(CApp::warModeExtra[0], 4);
    EXPECT_EQ(CApp::createChar.skills[1], 0);
    EXPECT_EQ(CApp::createChar.skillValues[2], 0);
    // The key tables are ready before the macros are read.
    ASSERT_EQ(g_macroCount, 1);
    EXPECT_EQ(g_macroList->keyCode, 112u);
    EXPECT_EQ(std::string(CApp::hdDirectory), std::string(dir()) + "/");

    // Once only.
    WriteFile("tw.cfg", "PlayerName=Bob\n");
    CApp::startup();
    EXPECT_STREQ(PlayerName, "Ann");

    CApp::shutdown();
    EXPECT_FALSE(CApp::started);
    EXPECT_EQ(comm.htmlMessageDeletes, 1);
    CApp::shutdown();
    EXPECT_EQ(comm.htmlMessageDeletes, 1);
    EXPECT_NE(ReportLog().find("CApp::shutdown: begin."), std::string::npos);
}

TEST_F(AppStartupTest, LoginCfgIsTheDefaultLoginServerFile) {
    WriteFile("version.dat", std::string());
    WriteFile("login.cfg", "LoginServer=login.example.net,7775\n");
    CApp::startup();
    ASSERT_EQ(loginServers.count, 1);
    EXPECT_STREQ(loginServers.slots[0].host, "login.example.net,7775");
    EXPECT_NE(ReportLog().find("cannot open file ''"), std::string::npos);  // no tw.cfg
}

TEST_F(AppStartupTest, PlayerFileMakesThePlayerObject) {
    CApp::playerSerial = 0;
    CApp::LoadPlayerFile();
    ASSERT_NE(pPlayerObject, nullptr);
    EXPECT_EQ(pPlayerObject->GetSerial(), 0u);
}

}  // namespace
