// The settings' definitions with their built-in defaults, kept in one list so
// that the reset for tests cannot drift from the defaults.
#include <cstring>

#include "config/Config.h"

#define TW_SCALAR_SETTINGS(X)                         \
    X(int, CacheSize, 0)                              \
    X(BOOL, Sound, 1)                                 \
    X(int, SoundVol, 255)                             \
    X(BOOL, Music, 1)                                 \
    X(int, MusicVol, 255)                             \
    X(BOOL, ObscenityFilter, 1)                       \
    X(BOOL, PageFlip, 1)                              \
    X(BOOL, GDIFullScreen, 0)                         \
    X(BOOL, GDIFullScreenRead, 0)                     \
    X(BOOL, FrameCounter, 0)                          \
    X(BOOL, SavePassword, 0)                          \
    X(BOOL, FullScreen, 0)                            \
    X(M_DWORD, EditServerAddress, 0)                  \
    X(M_WORD, EditServerPort, 0)                      \
    X(M_DWORD, UserCentralAddress, 0)                 \
    X(M_WORD, UserCentralPort, 0)                     \
    X(BOOL, ShowIntroAnim, 0)                         \
    X(BOOL, use565, 0)                                \
    X(BOOL, EnableMessenger, 1)                       \
    X(BOOL, TWMessengerPing, 1)                       \
    X(BOOL, autoLogIn, 0)                             \
    X(BOOL, OrderCacheOnStartup, 0)                   \
    X(BOOL, RememberAcctPW, 0)                        \
    X(M_BYTE, NextLoginKey, 0)                        \
    X(int, DefaultChar, 0)                            \
    X(BOOL, MouseThread, 1)                           \
    X(BOOL, UseVerData, 1)                            \
    X(BOOL, SaveJournal, 0)                           \
    X(BOOL, JournalSaveUnicode, 0)                    \
    X(BOOL, NotorietyQuery, 1)                        \
    X(BOOL, UseCircleTrans, 0)                        \
    X(int, CircleTransRadius, 64)                     \
    X(BOOL, FilterPWOn, 0)                            \
    X(BOOL, Footsteps, 1)                             \
    X(BOOL, ShowTips, 1)                              \
    X(int, LastTip, -1)                               \
    X(int, CurrentVer, -1)                            \
    X(int, BarkTimeModifier, 100)                     \
    X(BOOL, ScaleBarkTimes, 1)                        \
    X(int, CombatHueColor, 0)                         \
    X(BOOL, FrameSkipping, 0)                         \
    X(BOOL, AllowPathfind, 1)                         \
    X(BOOL, HoldTabForCombat, 1)                      \
    X(BOOL, OffsetGumps, 1)                           \
    X(BOOL, AutoArrangeMinimized, 1)                  \
    X(BOOL, UnicodeSpeech, 0)                         \
    X(int, AltKeyModNum, -1)                          \
    X(BOOL, Sound8Bit, 0)                             \
    X(BOOL, ReverseSpeakers, 0)                       \
    X(int, ChatColorSelfText, 0x7FFF)                 \
    X(int, ChatColorSelfName, 0x3DEF)                 \
    X(int, ChatColorOpsText, 0x7C1F)                  \
    X(int, ChatColorOpsName, 0x3C0F)                  \
    X(int, ChatColorMutedText, 0x001F)                \
    X(int, ChatColorMutedName, 0x000F)                \
    X(int, ChatColorText, 0x7FE0)                     \
    X(int, ChatColorName, 0x3DE0)                     \
    X(int, ChatColorMenuOption, 0x7FE0)               \
    X(int, ChatColorInput, 0x7BDE)                    \
    X(int, ChatColorSystemMessage, 0x03E0)            \
    X(int, ChatColorConferenceMenuBackground, 0x0C63) \
    X(int, ChatColorCommandMenuBackground, 0x0C63)    \
    X(int, ChatColorUserListBackground, 0)            \
    X(int, ChatColorTextBackground, 0)                \
    X(int, ChatColorInputBackground, 0)               \
    X(int, ChatColorDialogBackground, 0)              \
    X(int, ChatFontNumber, 2)                         \
    X(int, ChatSpaceWidth, 6)                         \
    X(BOOL, ChatAntiAlias, 0)                         \
    X(int, BarkFontNumber, 0)                         \
    X(int, ProfileColor1, 0x0860)                     \
    X(int, ProfileColor2, 0x0860)                     \
    X(BOOL, AssumePlayAsGhost, 1)                     \
    X(BOOL, UseToolTips, 1)                           \
    X(int, ToolTipFont, 1)                            \
    X(int, ToolTipPreDelay, 1000)                     \
    X(int, ToolTipTextColor, 0x7FFF)                  \
    X(BOOL, PopupHelpEnabled, 1)                      \
    X(BOOL, PopupHelpKeyRead, 0)                      \
    X(int, PopupHelpPreDelay, 1000)                   \
    X(int, PopupHelpTextColor, 0x7FFF)                \
    X(int, PopupHelpTextFont, 1)                      \
    X(BOOL, PopupHelpSticky, 0)                       \
    X(BOOL, PopupHelpPersistant, 1)                   \
    X(BOOL, CensorFlesh, 0)                           \
    X(BOOL, CensorBlood, 0)                           \
    X(int, CensoredBloodColor, 0x03E0)                \
    X(int, SpamLimit, 30)                             \
    X(BOOL, AllowWindowResize, 1)                     \
    X(BOOL, ColoredLighting, 0)                       \
    X(BOOL, ShadedFonts, 0)                           \
    X(BOOL, ClientFirstLaunch, 1)                     \
    X(int, SkillReportDiff, 20)                       \
    X(BOOL, ShowIncomingNames, 1)                     \
    X(BOOL, StatReport, 1)                            \
    X(int, LastServerID, 0)                           \
    X(BOOL, FilterWeather, 0)

#define TW_TEXT_SETTINGS(X)          \
    X(CdRomDataPath, "")             \
    X(PlayerName, "TW Player")       \
    X(Password, "")                  \
    X(FilterPassword, "")            \
    X(FullScreenRes, "640x480")      \
    X(GamePlayWindowSize, "640x480") \
    X(LoginServerFile, "")           \
    X(AcctID, "")                    \
    X(AcctLastName, "")              \
    X(AcctPassword, "")              \
    X(JournalSaveFile, "")

#define TW_DEFINE_SCALAR(type, name, value) type name = value;
TW_SCALAR_SETTINGS(TW_DEFINE_SCALAR)

char CdRomDataPath[256] = "";
char PlayerName[30] = "TW Player";
char Password[30] = "";
char FilterPassword[30] = "";
char FullScreenRes[512] = "640x480";
char GamePlayWindowSize[512] = "640x480";
char LoginServerFile[256] = "";
char AcctID[42] = "";
char AcctLastName[60] = "";
char AcctPassword[30] = "";
char JournalSaveFile[256] = "";

namespace {
const int kHighlightHues[HIGHLIGHT_ENTRIES] = {0, 89, 63, 946, 946, 144, 34};
}

int HighlightColor[HIGHLIGHT_ENTRIES] = {0, 0, 0, 0, 0, 0, 0};
int HighlightHue[HIGHLIGHT_ENTRIES] = {0, 89, 63, 946, 946, 144, 34};

int hdConfig = MaxHD;

void ResetConfigForTests() {
#define TW_RESET_SCALAR(type, name, value) name = value;
    TW_SCALAR_SETTINGS(TW_RESET_SCALAR)
#define TW_RESET_TEXT(name, value)                \
    static_assert(sizeof(value) <= sizeof(name)); \
    memcpy(name, value, sizeof(value));
    TW_TEXT_SETTINGS(TW_RESET_TEXT)
    memset(HighlightColor, 0, sizeof HighlightColor);
    memcpy(HighlightHue, kHighlightHues, sizeof HighlightHue);
    hdConfig = MaxHD;
    loginServers.Clear();
    backupLoginServers.Clear();
}
