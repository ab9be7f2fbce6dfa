// Configuration keys of "tw.cfg" and "login.cfg" (library tw_config).
//
// The configuration sits right above the base services: every module may
// read its settings, and it calls no module above it.  Every setting a key
// can change is a plain global named after its key, holding the built-in
// default until a line of the file overwrites it.  The values live for the
// process: CApp::startup resets a few of them and reads "tw.cfg" (login-server
// keys skipped) and then the login-server file; a server message makes the
// client read "tw.cfg" again the same way.  The options gump and the login
// screens write single keys back with saveConfigDirective.
//
// The few keys that also hand their value to a module above (the play-area
// size, the circle of transparency) reach it through ConfigHooks
// (config/ConfigHooks.h), which that module installs at start-up.  The
// folder also holds the line reader (TextLine.h) and the colour and name
// helpers (Color.h) that other readers share.
#pragma once

#include <cstddef>

#include "TWTypes.h"

// Key ids.  The table of names is in ConfigKeys.cpp; ids without a name
// there (22) are never found.
enum ConfigKeyId {
    CFG_CdRomDataPath = 0,
    CFG_CacheSize = 1,
    CFG_HdUsage = 2,
    CFG_PlayerName = 3,
    CFG_Password = 4,
    CFG_Sound = 5,
    CFG_SoundVol = 6,
    CFG_Music = 7,
    CFG_MusicVol = 8,
    CFG_ObscenityFilter = 9,
    CFG_ObsceneWord = 10,
    CFG_FilterPassword = 11,
    CFG_PageFlip = 12,
    CFG_GDIFullScreen = 13,
    CFG_FrameCounter = 14,
    CFG_SavePassword = 15,
    CFG_FullScreen = 16,
    CFG_FullScreenRes = 17,
    CFG_GamePlayWindowSize = 18,
    CFG_UserLanguageCodeString = 19,
    CFG_EditServer = 20,
    CFG_UserCentral = 21,
    CFG_ShowIntroAnim = 23,
    CFG_use565 = 24,
    CFG_EnableMessenger = 25,
    CFG_TWMessengerPing = 26,
    CFG_autoLogIn = 27,
    CFG_OrderCacheOnStartup = 28,
    CFG_OrderCache = 29,
    CFG_RememberAcctPW = 30,
    CFG_LoginServerFile = 31,
    CFG_LoginServer = 32,
    CFG_BackupLoginServer = 33,
    CFG_AcctID = 34,
    CFG_AcctLastName = 35,
    CFG_AcctPassword = 36,
    CFG_NextLoginKey = 37,
    CFG_DefaultChar = 38,
    CFG_MouseThread = 39,
    CFG_Mouse = 40,
    CFG_UseVerData = 41,
    CFG_SaveJournal = 42,
    CFG_JournalSaveFile = 43,
    CFG_JournalSaveUnicode = 44,
    CFG_NotorietyQuery = 45,
    CFG_UseCircleTrans = 46,
    CFG_CircleTransRadius = 47,
    CFG_CircleTransPos = 48,
    CFG_FilterPWOn = 49,
    CFG_Footsteps = 50,
    CFG_ShowTips = 51,
    CFG_LastTip = 52,
    CFG_CurrentVer = 53,
    CFG_BarkTimeModifier = 54,
    CFG_ScaleBarkTimes = 55,
    CFG_CombatHueColor = 56,
    CFG_FrameSkipping = 57,
    CFG_AllowPathfind = 58,
    CFG_HoldTabForCombat = 59,
    CFG_OffsetGumps = 60,
    CFG_AutoArrangeMinimized = 61,
    CFG_UnicodeSpeech = 62,
    CFG_AltKeyModNum = 63,
    CFG_Sound8Bit = 64,
    CFG_ReverseSpeakers = 65,
    CFG_ChatColorSelfText = 66,
    CFG_ChatColorSelfName = 67,
    CFG_ChatColorOpsText = 68,
    CFG_ChatColorOpsName = 69,
    CFG_ChatColorMutedText = 70,
    CFG_ChatColorMutedName = 71,
    CFG_ChatColorText = 72,
    CFG_ChatColorName = 73,
    CFG_ChatColorMenuOption = 74,
    CFG_ChatColorInput = 75,
    CFG_ChatColorSystemMessage = 76,
    CFG_ChatColorConferenceMenuBackground = 77,
    CFG_ChatColorCommandMenuBackground = 78,
    CFG_ChatColorUserListBackground = 79,
    CFG_ChatColorTextBackground = 80,
    CFG_ChatColorInputBackground = 81,
    CFG_ChatColorDialogBackground = 82,
    CFG_ChatFontNumber = 83,
    CFG_ChatSpaceWidth = 84,
    CFG_ChatAntiAlias = 85,
    CFG_BarkFontNumber = 86,
    CFG_ProfileColor1 = 87,
    CFG_ProfileColor2 = 88,
    CFG_HighlightColorInnocent = 89,
    CFG_HighlightColorFriend = 90,
    CFG_HighlightColorCanAttack = 91,
    CFG_HighlightColorCriminal = 92,
    CFG_HighlightColorEnemy = 93,
    CFG_HighlightColorMurderer = 94,
    CFG_AssumePlayAsGhost = 95,
    CFG_UseToolTips = 96,
    CFG_ToolTipFont = 97,
    CFG_ToolTipPreDelay = 98,
    CFG_ToolTipTextColor = 99,
    CFG_PopupHelpEnabled = 100,
    CFG_PopupHelpPreDelay = 101,
    CFG_PopupHelpTextColor = 102,
    CFG_PopupHelpTextFont = 103,
    CFG_PopupHelpSticky = 104,
    CFG_PopupHelpPersistant = 105,
    CFG_CensorFlesh = 106,
    CFG_CensorBlood = 107,
    CFG_CensoredBloodColor = 108,
    CFG_TranslationServer = 109,
    CFG_TranslationServerIPAddress = 110,
    CFG_TranslationServerTranslatorName = 111,
    CFG_TranslationServerSystranNFWMarker = 112,
    CFG_TranslationServerSystranTopicalGlossaries = 113,
    CFG_TranslationServerSystranDocumentType = 114,
    CFG_TranslationServerAutomatic = 115,
    CFG_SpamLimit = 116,
    CFG_AllowWindowResize = 117,
    CFG_FileManagerAddSearchPath = 118,
    CFG_GMHelpQueueLinesPerRequest = 119,
    CFG_GMHelpQueueMaxCharactersPerLine = 120,
    CFG_ColoredLighting = 121,
    CFG_ShadedFonts = 122,
    CFG_ClientFirstLaunch = 123,
    CFG_SkillReportDiff = 124,
    CFG_ShowIncomingNames = 125,
    CFG_StatReport = 126,
    CFG_LastServerID = 127,
    CFG_FilterWeather = 128,
    CFG_UNKNOWN = 129,
};

// Entries 1-6 of the highlight tables are the HighlightColor... keys in key
// order (innocent, friend, can-attack, criminal, enemy, murderer); entry 0 is
// unused.
constexpr int HIGHLIGHT_ENTRIES = 7;

// The settings, named after their keys (defaults in ConfigKeys.cpp).
// Booleans hold 0 or 1; colours are 15-bit 5-5-5 pixels; texts keep at most
// their size less one characters.
extern char CdRomDataPath[256];
extern int CacheSize;  // megabytes
extern char PlayerName[30];
extern char Password[30];  // unscrambled
extern BOOL Sound;
extern int SoundVol;
extern BOOL Music;
extern int MusicVol;
extern BOOL ObscenityFilter;
extern char FilterPassword[30];  // unscrambled
extern BOOL PageFlip;
extern BOOL GDIFullScreen;
extern BOOL GDIFullScreenRead;  // a GDIFullScreen line was read
extern BOOL FrameCounter;
extern BOOL SavePassword;
extern BOOL FullScreen;
extern char FullScreenRes[512];
extern char GamePlayWindowSize[512];
// Host order, a << 24 | b << 16 | c << 8 | d; address 0 = not set.
extern M_DWORD EditServerAddress;
extern M_WORD EditServerPort;
extern M_DWORD UserCentralAddress;
extern M_WORD UserCentralPort;
extern BOOL ShowIntroAnim;
// 5-6-5 pixels: the display opens at depth 16 first when set, else 15; the
// window's visual overrides it.
extern BOOL use565;
extern BOOL EnableMessenger;
extern BOOL TWMessengerPing;
extern BOOL autoLogIn;
extern BOOL OrderCacheOnStartup;  // also set by OrderCache
extern BOOL RememberAcctPW;
extern char LoginServerFile[256];  // empty: "login.cfg"
extern char AcctID[42];
extern char AcctLastName[60];
extern char AcctPassword[30];  // unscrambled
extern M_BYTE NextLoginKey;
extern int DefaultChar;   // 0-4
extern BOOL MouseThread;  // start the cursor thread; also set by Mouse
extern BOOL UseVerData;
extern BOOL SaveJournal;
extern char JournalSaveFile[256];
extern BOOL JournalSaveUnicode;
extern BOOL NotorietyQuery;
extern BOOL UseCircleTrans;
extern int CircleTransRadius;
extern BOOL FilterPWOn;
extern BOOL Footsteps;
extern BOOL ShowTips;
extern int LastTip;
extern int CurrentVer;
extern int BarkTimeModifier;
extern BOOL ScaleBarkTimes;
extern int CombatHueColor;
extern BOOL FrameSkipping;  // a late loop runs a tick without drawing first
extern BOOL AllowPathfind;
extern BOOL HoldTabForCombat;  // Tab held down means war mode
extern BOOL OffsetGumps;
extern BOOL AutoArrangeMinimized;
extern BOOL UnicodeSpeech;
extern int AltKeyModNum;  // the X modifier number of Alt, -1 = find it
extern BOOL Sound8Bit;
extern BOOL ReverseSpeakers;
extern int ChatColorSelfText;
extern int ChatColorSelfName;
extern int ChatColorOpsText;
extern int ChatColorOpsName;
extern int ChatColorMutedText;
extern int ChatColorMutedName;
extern int ChatColorText;
extern int ChatColorName;
extern int ChatColorMenuOption;
extern int ChatColorInput;
extern int ChatColorSystemMessage;
extern int ChatColorConferenceMenuBackground;
extern int ChatColorCommandMenuBackground;
extern int ChatColorUserListBackground;
extern int ChatColorTextBackground;
extern int ChatColorInputBackground;
extern int ChatColorDialogBackground;
extern int ChatFontNumber;
extern int ChatSpaceWidth;
extern BOOL ChatAntiAlias;
extern int BarkFontNumber;
extern int ProfileColor1;
extern int ProfileColor2;
// A configured colour (bit 0 set, so that a configured black is not 0;
// negative: the negated hue number itself) and the hue number in use.
extern int HighlightColor[HIGHLIGHT_ENTRIES];
extern int HighlightHue[HIGHLIGHT_ENTRIES];
extern BOOL AssumePlayAsGhost;
extern BOOL UseToolTips;
extern int ToolTipFont;      // 0-2
extern int ToolTipPreDelay;  // ms, at least 100
extern int ToolTipTextColor;
extern BOOL PopupHelpEnabled;
extern BOOL PopupHelpKeyRead;  // a PopupHelpEnabled line was read
extern int PopupHelpPreDelay;  // ms, at least 100
extern int PopupHelpTextColor;
extern int PopupHelpTextFont;  // 0-2
extern BOOL PopupHelpSticky;
extern BOOL PopupHelpPersistant;
extern BOOL CensorFlesh;
extern BOOL CensorBlood;
extern int CensoredBloodColor;
extern int SpamLimit;  // characters per second, at least 1
extern BOOL AllowWindowResize;
extern BOOL ColoredLighting;
extern BOOL ShadedFonts;
extern BOOL ClientFirstLaunch;
extern int SkillReportDiff;  // at most 100
extern BOOL ShowIncomingNames;
extern BOOL StatReport;
extern int LastServerID;  // at least 0
extern BOOL FilterWeather;

// The name the drawing code knows the 5-6-5 flag by.
inline BOOL& Display565 = use565;

// The installation kind, from HdUsage: every data file on the hard disk, or
// some on the CD with a cache file.
enum HdConfig { MaxHD = 0, CDInstall = 1 };
extern int hdConfig;

// One list of login servers, filled from "login.cfg".  A numeric entry has an
// address and no host; a named one has its host text and address 0 until it
// is resolved.
struct LoginServerSlot {
    char* host = nullptr;  // owned
    M_DWORD address = 0;   // host order, a << 24 | b << 16 | c << 8 | d
    M_WORD port = 0;
};

struct LoginServerList {
    static constexpr int MAX_SERVERS = 8;
    LoginServerSlot slots[MAX_SERVERS];
    int count = 0;
    int current = -1;  // below 0: none chosen

    // Appends one LoginServer value; entries beyond MAX_SERVERS are ignored.
    void Add(const char* value);
    void Clear();
};

// The LoginServer and BackupLoginServer lists.  They live for a connection's
// choice of server (CApp's ChooseServer and ConnectToServer read them).
extern LoginServerList loginServers;
extern LoginServerList backupLoginServers;

// The key's id (names compare ignoring case), or CFG_UNKNOWN.
int FindConfigKey(const char* name);
// The key's name as the table spells it, or null for an id without one.
const char* ConfigKeyName(int id);
// Applies one value; login-server keys are ignored with skipLoginServers.
void SetConfigValue(int id, const char* value, BOOL skipLoginServers);
// Applies every line of a configuration file opened through the file
// manager (CApp::readConfig); a file that cannot be opened is logged.
void ReadConfigFile(const char* fileName, BOOL skipLoginServers);

// Splits a configuration line into key and value the way the key reader does:
// the key ends at the first blank, tab, form feed or '='; the value starts
// right after that character and runs to the next tab or form feed (line ends
// were already removed).  Modifies line; false when it holds no key, and a
// null value when the key has none.
bool SplitConfigLine(char* line, char** key, char** value);

// Writes "Key=value" into "tw.cfg": rewrites the first line of that key in
// place or appends one.  The file is replaced whole by a rename, so a failure
// never leaves it half written.
void saveConfigDirective(int id, const char* value);
// The value of the key's last line in "tw.cfg", copied into out (cut to
// outSize - 1 characters); FALSE when the key has no line.
BOOL getTWCfgDirective(int id, char* out, size_t outSize);

// In-place byte scrambling of stored passwords.
void ScramblePassword(char* text);
void UnscramblePassword(char* text);

// Four groups of 1-3 digits, each 0-255, joined by '.', then ',' and a port of
// 4 or 5 digits no larger than 65535.
BOOL IsNumericAddress(const char* text);
// Parses a text IsNumericAddress accepts into a host-order address and port.
void ParseNumericAddress(const char* text, M_DWORD* address, M_WORD* port);
// Looks up "host[,port]".  On success stores the octets of one address of the
// host (successive calls walk round the host's address list) and the port (0
// without a comma) and answers TRUE; on failure stores zeros and answers
// FALSE.
BOOL ResolveServerAddress(const char* text, int* a, int* b, int* c, int* d, int* port);

// Test support: every setting back to its default, login-server lists
// emptied.
void ResetConfigForTests();
