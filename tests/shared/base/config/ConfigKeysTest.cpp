#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ConfigTestSupport.h"
#include "FileManager.h"
#include "config/Config.h"

namespace {

using tw::test::WriteFile;

class ConfigKeysTest : public tw::test::ConfigTest {};

std::string Num(long v) {
    return std::to_string(v);
}

struct KeyCase {
    const char* key;
    const char* value;
    std::function<std::string()> get;
    std::string before;  // the built-in default
    std::string after;   // once the line is read
};

#define NUM(x) [] { return Num(x); }
#define TEXT(x) [] { return std::string(x); }

// Every key whose value is applied: the default, then the value one line of
// "tw.cfg" gives it (clamps and the scrambled passwords included).
const std::vector<KeyCase>& AllKeys() {
    static const std::vector<KeyCase> cases = {
        {"CdRomDataPath", "/mnt/cd/data/", TEXT(CdRomDataPath), "", "/mnt/cd/data/"},
        {"CacheSize", "12", NUM(CacheSize), "0", "12"},
        {"HdUsage", "cd", NUM(hdConfig), "0", "1"},
        {"PlayerName", "Aldric", TEXT(PlayerName), "TW Player", "Aldric"},
        {"Password", "nop", TEXT(Password), "", "abc"},
        {"Sound", "off", NUM(Sound), "1", "0"},
        {"SoundVol", "128", NUM(SoundVol), "255", "128"},
        {"Music", "no", NUM(Music), "1", "0"},
        {"MusicVol", "7", NUM(MusicVol), "255", "7"},
        {"ObscenityFilter", "Off", NUM(ObscenityFilter), "1", "0"},
        {"FilterPassword", "uryy|", TEXT(FilterPassword), "", "hello"},
        {"PageFlip", "off", NUM(PageFlip), "1", "0"},
        {"GDIFullScreen", "yes", NUM(GDIFullScreen), "0", "1"},
        {"FrameCounter", "on", NUM(FrameCounter), "0", "1"},
        {"SavePassword", "YES", NUM(SavePassword), "0", "1"},
        {"FullScreen", "on", NUM(FullScreen), "0", "1"},
        {"FullScreenRes", "800x600", TEXT(FullScreenRes), "640x480", "800x600"},
        {"GamePlayWindowSize", "800x600", TEXT(GamePlayWindowSize), "640x480", "800x600"},
        {"EditServer", "10.1.2.3,2593", NUM(EditServerAddress), "0", Num(0x0A010203)},
        {"UserCentral", "192.168.0.1,5000", NUM(UserCentralPort), "0", "5000"},
        {"ShowIntroAnim", "on", NUM(ShowIntroAnim), "0", "1"},
        {"use565", "on", NUM(Display565), "0", "1"},
        {"EnableMessenger", "off", NUM(EnableMessenger), "1", "0"},
        {"TWMessengerPing", "0", NUM(TWMessengerPing), "1", "0"},
        {"autoLogIn", "on", NUM(autoLogIn), "0", "1"},
        {"OrderCacheOnStartup", "on", NUM(OrderCacheOnStartup), "0", "1"},
        {"RememberAcctPW", "on", NUM(RememberAcctPW), "0", "1"},
        {"LoginServerFile", "servers.cfg", TEXT(LoginServerFile), "", "servers.cfg"},
        {"AcctID", "acct7", TEXT(AcctID), "", "acct7"},
        {"AcctLastName", "Smith", TEXT(AcctLastName), "", "Smith"},
        {"AcctPassword", "}n!!", TEXT(AcctPassword), "", "pass"},
        {"NextLoginKey", "300", NUM(NextLoginKey), "0", "44"},
        {"DefaultChar", "3", NUM(DefaultChar), "0", "3"},
        {"MouseThread", "off", NUM(MouseThread), "1", "0"},
        {"UseVerData", "off", NUM(UseVerData), "1", "0"},
        {"JournalSaveFile", "journal.txt", TEXT(JournalSaveFile), "", "journal.txt"},
        {"JournalSaveUnicode", "on", NUM(JournalSaveUnicode), "0", "1"},
        {"NotorietyQuery", "off", NUM(NotorietyQuery), "1", "0"},
        {"UseCircleTrans", "on", NUM(UseCircleTrans), "0", "1"},
        {"CircleTransRadius", "100", NUM(CircleTransRadius), "64", "100"},
        {"FilterPWOn", "on", NUM(FilterPWOn), "0", "1"},
        {"Footsteps", "off", NUM(Footsteps), "1", "0"},
        {"ShowTips", "off", NUM(ShowTips), "1", "0"},
        {"LastTip", "5", NUM(LastTip), "-1", "5"},
        {"CurrentVer", "7", NUM(CurrentVer), "-1", "7"},
        {"BarkTimeModifier", "150", NUM(BarkTimeModifier), "100", "150"},
        {"ScaleBarkTimes", "off", NUM(ScaleBarkTimes), "1", "0"},
        {"CombatHueColor", "#FF0000", NUM(CombatHueColor), "0", Num(0x7C00)},
        {"FrameSkipping", "on", NUM(FrameSkipping), "0", "1"},
        {"AllowPathfind", "off", NUM(AllowPathfind), "1", "0"},
        {"HoldTabForCombat", "off", NUM(HoldTabForCombat), "1", "0"},
        {"OffsetGumps", "off", NUM(OffsetGumps), "1", "0"},
        {"AutoArrangeMinimized", "off", NUM(AutoArrangeMinimized), "1", "0"},
        {"UnicodeSpeech", "on", NUM(UnicodeSpeech), "0", "1"},
        {"AltKeyModNum", "3", NUM(AltKeyModNum), "-1", "3"},
        {"Sound8Bit", "on", NUM(Sound8Bit), "0", "1"},
        {"ReverseSpeakers", "on", NUM(ReverseSpeakers), "0", "1"},
        {"ChatColorSelfText", "#808080", NUM(ChatColorSelfText), Num(0x7FFF), Num(0x4210)},
        {"ChatColorSelfName", "#808080", NUM(ChatColorSelfName), Num(0x3DEF), Num(0x4210)},
        {"ChatColorOpsText", "#808080", NUM(ChatColorOpsText), Num(0x7C1F), Num(0x4210)},
        {"ChatColorOpsName", "#808080", NUM(ChatColorOpsName), Num(0x3C0F), Num(0x4210)},
        {"ChatColorMutedText", "#808080", NUM(ChatColorMutedText), Num(0x001F), Num(0x4210)},
        {"ChatColorMutedName", "#808080", NUM(ChatColorMutedName), Num(0x000F), Num(0x4210)},
        {"ChatColorText", "#808080", NUM(ChatColorText), Num(0x7FE0), Num(0x4210)},
        {"ChatColorName", "#808080", NUM(ChatColorName), Num(0x3DE0), Num(0x4210)},
        {"ChatColorMenuOption", "#808080", NUM(ChatColorMenuOption), Num(0x7FE0), Num(0x4210)},
        {"ChatColorInput", "#808080", NUM(ChatColorInput), Num(0x7BDE), Num(0x4210)},
        {"ChatColorSystemMessage", "#808080", NUM(ChatColorSystemMessage), Num(0x03E0),
         Num(0x4210)},
        {"ChatColorConferenceMenuBackground", "#808080", NUM(ChatColorConferenceMenuBackground),
         Num(0x0C63), Num(0x4210)},
        {"ChatColorCommandMenuBackground", "#808080", NUM(ChatColorCommandMenuBackground),
         Num(0x0C63), Num(0x4210)},
        {"ChatColorUserListBackground", "#808080", NUM(ChatColorUserListBackground), "0",
         Num(0x4210)},
        {"ChatColorTextBackground", "#808080", NUM(ChatColorTextBackground), "0", Num(0x4210)},
        {"ChatColorInputBackground", "#808080", NUM(ChatColorInputBackground), "0", Num(0x4210)},
        {"ChatColorDialogBackground", "#808080", NUM(ChatColorDialogBackground), "0", Num(0x4210)},
        {"ChatFontNumber", "1", NUM(ChatFontNumber), "2", "1"},
        {"ChatSpaceWidth", "8", NUM(ChatSpaceWidth), "6", "8"},
        {"ChatAntiAlias", "on", NUM(ChatAntiAlias), "0", "1"},
        {"BarkFontNumber", "2", NUM(BarkFontNumber), "0", "2"},
        {"ProfileColor1", "#808080", NUM(ProfileColor1), Num(0x0860), Num(0x4210)},
        {"ProfileColor2", "#808080", NUM(ProfileColor2), Num(0x0860), Num(0x4210)},
        // The highlight keys fill entries 1-6: the hue read as a number, and
        // the colour (1001 = blue 233) with bit 0 set.
        {"HighlightColorInnocent", "1001", NUM(HighlightHue[1]), "89", "1001"},
        {"HighlightColorFriend", "1002", NUM(HighlightHue[2]), "63", "1002"},
        {"HighlightColorCanAttack", "1003", NUM(HighlightHue[3]), "946", "1003"},
        {"HighlightColorCriminal", "1004", NUM(HighlightHue[4]), "946", "1004"},
        {"HighlightColorEnemy", "1005", NUM(HighlightHue[5]), "144", "1005"},
        {"HighlightColorMurderer", "#000000", NUM(HighlightColor[6]), "0", "1"},
        {"AssumePlayAsGhost", "off", NUM(AssumePlayAsGhost), "1", "0"},
        {"UseToolTips", "off", NUM(UseToolTips), "1", "0"},
        {"ToolTipFont", "5", NUM(ToolTipFont), "1", "2"},
        {"ToolTipPreDelay", "99", NUM(ToolTipPreDelay), "1000", "100"},
        {"ToolTipTextColor", "#808080", NUM(ToolTipTextColor), Num(0x7FFF), Num(0x4210)},
        {"PopupHelpEnabled", "0", NUM(PopupHelpEnabled), "1", "0"},
        {"PopupHelpPreDelay", "250", NUM(PopupHelpPreDelay), "1000", "250"},
        {"PopupHelpTextColor", "#808080", NUM(PopupHelpTextColor), Num(0x7FFF), Num(0x4210)},
        {"PopupHelpTextFont", "-3", NUM(PopupHelpTextFont), "1", "0"},
        {"PopupHelpSticky", "1", NUM(PopupHelpSticky), "0", "1"},
        {"PopupHelpPersistant", "false", NUM(PopupHelpPersistant), "1", "0"},
        {"CensorFlesh", "on", NUM(CensorFlesh), "0", "1"},
        {"CensorBlood", "on", NUM(CensorBlood), "0", "1"},
        {"CensoredBloodColor", "#808080", NUM(CensoredBloodColor), Num(0x03E0), Num(0x4210)},
        {"SpamLimit", "0", NUM(SpamLimit), "30", "1"},
        {"AllowWindowResize", "no", NUM(AllowWindowResize), "1", "0"},
        {"ColoredLighting", "on", NUM(ColoredLighting), "0", "1"},
        {"ShadedFonts", "on", NUM(ShadedFonts), "0", "1"},
        {"ClientFirstLaunch", "off", NUM(ClientFirstLaunch), "1", "0"},
        {"SkillReportDiff", "250", NUM(SkillReportDiff), "20", "100"},
        {"ShowIncomingNames", "off", NUM(ShowIncomingNames), "1", "0"},
        {"StatReport", "off", NUM(StatReport), "1", "0"},
        {"LastServerID", "-4", NUM(LastServerID), "0", "0"},
        {"FilterWeather", "on", NUM(FilterWeather), "0", "1"},
    };
    return cases;
}

TEST_F(ConfigKeysTest, EveryKeyHasItsDefaultAndTakesItsValueFromTheFile) {
    std::string file;
    for (const KeyCase& c : AllKeys()) {
        EXPECT_EQ(c.get(), c.before) << "default of " << c.key;
        file += std::string(c.key) + "=" + c.value + "\r\n";
    }
    WriteFile("tw.cfg", file);
    ReadConfigFile("tw.cfg", TRUE);
    for (const KeyCase& c : AllKeys()) EXPECT_EQ(c.get(), c.after) << c.key << "=" << c.value;

    // Side values of the same lines.
    EXPECT_EQ(UserCentralAddress, 0xC0A80001u);
    EXPECT_EQ(EditServerPort, 2593);
    EXPECT_EQ(SaveJournal, 1);  // a journal file name turns saving on
    EXPECT_EQ(PopupHelpKeyRead, 1);
    EXPECT_EQ(HighlightColor[1], 29);  // (1001 & 255) >> 3, bit 0 already set
    ASSERT_EQ(view.gameplayWindowSizes.size(), 1u);
    EXPECT_EQ(view.gameplayWindowSizes[0], std::make_pair(800, 600));
    EXPECT_EQ(view.circleRadii, std::vector<int>{100});
}

TEST_F(ConfigKeysTest, KeyNamesIgnoreCaseAndTheLastLineWins) {
    EXPECT_EQ(FindConfigKey("sOUNDvOL"), CFG_SoundVol);
    EXPECT_EQ(FindConfigKey("NoSuchKey"), CFG_UNKNOWN);
    EXPECT_EQ(FindConfigKey("UserLanguageCodeString"), CFG_UserLanguageCodeString);
    EXPECT_EQ(ConfigKeyName(22), nullptr);
    EXPECT_STREQ(ConfigKeyName(CFG_use565), "use565");
    WriteFile("tw.cfg",
              "; comment\nSOUNDVOL=10\n\nUnknown=5\nsoundvol=20\nSoundVol=\n\tSoundVol=30\tx\n");
    ReadConfigFile("tw.cfg", TRUE);
    EXPECT_EQ(SoundVol, 30);  // leading tab skipped, value ends at the next tab
}

// Only the characters after the one that ends the key belong to the value.
TEST_F(ConfigKeysTest, BlanksAroundTheEqualsSignBecomePartOfTheValue) {
    WriteFile("tw.cfg", "Sound = on\nSoundVol = 100\nMusicVol= 77\nFootsteps=\n");
    ReadConfigFile("tw.cfg", TRUE);
    EXPECT_EQ(Sound, 0);      // value "= on"
    EXPECT_EQ(SoundVol, 0);   // value "= 100" reads as 0
    EXPECT_EQ(MusicVol, 77);  // value " 77": leading blanks are fine for numbers
    EXPECT_EQ(Footsteps, 1);  // empty value: skipped
}

TEST_F(ConfigKeysTest, ValueKindsAcceptTheirOwnWords) {
    struct Case {
        int key;
        const char* value;
        int* setting;
        int before;  // the setting's value before the line
        int after;
    };
    const Case cases[] = {
        {CFG_Sound, "YES", &Sound, 0, 1},
        {CFG_Sound, "true", &Sound, 1, 0},
        {CFG_Sound, "on ", &Sound, 1, 0},
        {CFG_EnableMessenger, "TRUE", &EnableMessenger, 0, 1},
        {CFG_EnableMessenger, "1", &EnableMessenger, 1, 0},
        {CFG_PopupHelpSticky, "1", &PopupHelpSticky, 0, 1},
        {CFG_PopupHelpPersistant, "whatever", &PopupHelpPersistant, 0, 1},
        {CFG_PopupHelpPersistant, "No", &PopupHelpPersistant, 1, 0},
        {CFG_AllowWindowResize, "maybe", &AllowWindowResize, 0, 0},
        {CFG_AllowWindowResize, "maybe", &AllowWindowResize, 1, 1},
        {CFG_AllowWindowResize, "TRUE", &AllowWindowResize, 0, 1},
        {CFG_MouseThread, "Fast", &MouseThread, 0, 1},
        {CFG_MouseThread, "slow", &MouseThread, 1, 0},
        {CFG_Mouse, "slow", &MouseThread, 1, 0},
        {CFG_Mouse, "FAST", &MouseThread, 0, 1},
        {CFG_Mouse, "medium", &MouseThread, 0, 0},
        {CFG_Mouse, "medium", &MouseThread, 1, 1},
        {CFG_OrderCache, "ordered,StartUp", &OrderCacheOnStartup, 0, 1},
        {CFG_OrderCache, "ordered", &OrderCacheOnStartup, 1, 0},
        {CFG_HdUsage, "Max", &hdConfig, 1, MaxHD},
        {CFG_DefaultChar, "5", &DefaultChar, 2, 2},
        {CFG_DefaultChar, "-1", &DefaultChar, 2, 2},
        {CFG_DefaultChar, "4", &DefaultChar, 2, 4},
        {CFG_SpamLimit, "-7", &SpamLimit, 30, 1},
        {CFG_ToolTipFont, "-1", &ToolTipFont, 1, 0},
        {CFG_ToolTipPreDelay, "100", &ToolTipPreDelay, 1000, 100},
        {CFG_PopupHelpPreDelay, "12", &PopupHelpPreDelay, 1000, 100},
        {CFG_SkillReportDiff, "100", &SkillReportDiff, 20, 100},
        {CFG_SoundVol, "99999999999", &SoundVol, 0, 2147483647},
        {CFG_SoundVol, "x12", &SoundVol, 5, 0},
        {CFG_HighlightColorEnemy, "-4", &HighlightColor[5], 0, -4},
    };
    for (const Case& c : cases) {
        *c.setting = c.before;
        SetConfigValue(c.key, c.value, FALSE);
        EXPECT_EQ(*c.setting, c.after)
            << ConfigKeyName(c.key) << "=" << c.value << " from " << c.before;
    }
}

TEST_F(ConfigKeysTest, PageFlipGdiSetsFullScreenGdiUnlessThatKeyWasRead) {
    SetConfigValue(CFG_PageFlip, "GDI", FALSE);
    EXPECT_EQ(PageFlip, 0);
    EXPECT_EQ(GDIFullScreen, 1);
    SetConfigValue(CFG_PageFlip, "on", FALSE);
    EXPECT_EQ(PageFlip, 1);
    EXPECT_EQ(GDIFullScreen, 0);

    SetConfigValue(CFG_GDIFullScreen, "off", FALSE);
    SetConfigValue(CFG_PageFlip, "gdi", FALSE);
    EXPECT_EQ(GDIFullScreen, 0);
    SetConfigValue(CFG_GDIFullScreen, "on", FALSE);
    SetConfigValue(CFG_PageFlip, "on", FALSE);
    EXPECT_EQ(GDIFullScreen, 1);
}

TEST_F(ConfigKeysTest, TextsAreCutToTheirVariables) {
    std::string longText(1000, 'x');
    struct Case {
        int key;
        const char* text;
        size_t cap;
    };
    const Case cases[] = {
        {CFG_CdRomDataPath, CdRomDataPath, 255},
        {CFG_PlayerName, PlayerName, 29},
        {CFG_Password, Password, 29},
        {CFG_FilterPassword, FilterPassword, 29},
        {CFG_AcctID, AcctID, 41},
        {CFG_AcctLastName, AcctLastName, 59},
        {CFG_AcctPassword, AcctPassword, 30},
        {CFG_FullScreenRes, FullScreenRes, 511},
        {CFG_LoginServerFile, LoginServerFile, 255},
        {CFG_JournalSaveFile, JournalSaveFile, 255},
        {CFG_GamePlayWindowSize, GamePlayWindowSize, 511},
    };
    for (const Case& c : cases) {
        SetConfigValue(c.key, longText.c_str(), FALSE);
        EXPECT_EQ(strlen(c.text), c.cap) << ConfigKeyName(c.key);
    }
}

TEST_F(ConfigKeysTest, IgnoredKeysChangeNothing) {
    const int ignored[] = {CFG_ObsceneWord,
                           CFG_UserLanguageCodeString,
                           CFG_SaveJournal,
                           CFG_TranslationServer,
                           CFG_TranslationServerIPAddress,
                           CFG_TranslationServerAutomatic,
                           CFG_GMHelpQueueLinesPerRequest,
                           CFG_GMHelpQueueMaxCharactersPerLine,
                           22,
                           CFG_UNKNOWN,
                           -1,
                           500};
    for (int id : ignored) SetConfigValue(id, "1.2.3.4,2593", FALSE);
    EXPECT_EQ(SaveJournal, 0);
    EXPECT_EQ(EditServerAddress, 0u);
    SetConfigValue(CFG_SoundVol, nullptr, FALSE);
    EXPECT_EQ(SoundVol, 255);
    SetConfigValue(CFG_PlayerName, "", FALSE);
    SetConfigValue(CFG_Password, "", FALSE);
    EXPECT_STREQ(PlayerName, "TW Player");
}

TEST_F(ConfigKeysTest, LoginServersComeOnlyFromTheLoginServerFile) {
    WriteFile("tw.cfg", "LoginServer=10.0.0.1,7775\nBackupLoginServer=10.0.0.2,7775\n");
    ReadConfigFile("tw.cfg", TRUE);
    EXPECT_EQ(loginServers.count, 0);
    EXPECT_EQ(backupLoginServers.count, 0);
    EXPECT_EQ(loginServers.current, -1);

    std::string login = "BackupLoginServer=backup.example.net,7776\n";
    login += "LoginServer=10.0.0.1,7775\nLoginServer=login.example.net,2593\n";
    // A two-digit port is not numeric: the whole value becomes a host text.
    login += "LoginServer=10.0.0.3,25\n";
    for (int i = 0; i < 7; ++i) login += "LoginServer=10.0.1." + std::to_string(i) + ",2593\n";
    WriteFile("login.cfg", login);
    ReadConfigFile("login.cfg", FALSE);

    const LoginServerList& main = loginServers;
    ASSERT_EQ(main.count, 8);  // the ninth and tenth are dropped
    EXPECT_EQ(main.current, 0);
    EXPECT_EQ(main.slots[0].host, nullptr);
    EXPECT_EQ(main.slots[0].address, 0x0A000001u);
    EXPECT_EQ(main.slots[0].port, 7775);
    EXPECT_STREQ(main.slots[1].host, "login.example.net,2593");
    EXPECT_EQ(main.slots[1].address, 0u);
    EXPECT_STREQ(main.slots[2].host, "10.0.0.3,25");
    EXPECT_EQ(main.slots[7].address, 0x0A000104u);

    ASSERT_EQ(backupLoginServers.count, 1);
    EXPECT_STREQ(backupLoginServers.slots[0].host, "backup.example.net,7776");
}

TEST_F(ConfigKeysTest, MissingFileIsLoggedAndKeepsDefaults) {
    ReadConfigFile("tw.cfg", TRUE);
    EXPECT_EQ(SoundVol, 255);
    EXPECT_NE(ReportLog().find("File:shared/base/config, Function:CApp::readConfig: cannot open "
                               "file ''."),
              std::string::npos);
}

TEST_F(ConfigKeysTest, SearchPathsAreAddedOnceHoweverOftenTheFileIsRead) {
    WriteFile("tw.cfg", "FileManagerAddSearchPath=/opt/tw/\nFileManagerAddSearchPath=/srv/tw/\n");
    FileManager::startup();
    int before = FileManager::getNumSearchPaths();
    // Read more often than the search-path table has room for.
    for (int i = 0; i < 12; ++i) ReadConfigFile("tw.cfg", TRUE);
    ASSERT_EQ(FileManager::getNumSearchPaths(), before + 2);
    EXPECT_STREQ(FileManager::getSearchPath(before)->path, "/opt/tw/");
    EXPECT_STREQ(FileManager::getSearchPath(before + 1)->path, "/srv/tw/");
}

TEST_F(ConfigKeysTest, CircleOfTransparencyGetsRadiusAndPosition) {
    SetConfigValue(CFG_CircleTransPos, "-5,9999", FALSE);
    SetConfigValue(CFG_CircleTransPos, "12", FALSE);  // not "x,y": no call
    SetConfigValue(CFG_CircleTransRadius, "300", FALSE);
    EXPECT_EQ(view.circlePositions, (std::vector<std::pair<int, int>>{{-5, 9999}}));
    EXPECT_EQ(view.circleRadii, std::vector<int>{300});
}

}  // namespace
