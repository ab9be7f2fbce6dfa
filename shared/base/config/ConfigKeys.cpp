// The key table of "tw.cfg" and the reader that applies each line to the
// settings.
#include <strings.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FileManager.h"
#include "Service.h"
#include "TWReport.h"
#include "config/Color.h"
#include "config/Config.h"
#include "config/ConfigHooks.h"
#include "config/TextLine.h"

namespace {

struct KeyName {
    const char* name;
    int id;
};

// The order is the table's own; a few neighbours stand swapped.
const KeyName kKeys[] = {
    {"CdRomDataPath", 0},
    {"CacheSize", 1},
    {"HdUsage", 2},
    {"PlayerName", 3},
    {"Password", 4},
    {"Sound", 5},
    {"SoundVol", 6},
    {"Music", 7},
    {"MusicVol", 8},
    {"ObscenityFilter", 9},
    {"ObsceneWord", 10},
    {"FilterPassword", 11},
    {"PageFlip", 12},
    {"GDIFullScreen", 13},
    {"FrameCounter", 14},
    {"SavePassword", 15},
    {"FullScreen", 16},
    {"FullScreenRes", 17},
    {"GamePlayWindowSize", 18},
    {"UserLanguageCodeString", 19},
    {"EditServer", 20},
    {"UserCentral", 21},
    {"ShowIntroAnim", 23},
    {"use565", 24},
    {"EnableMessenger", 25},
    {"TWMessengerPing", 26},
    {"autoLogIn", 27},
    {"OrderCache", 29},
    {"OrderCacheOnStartup", 28},
    {"RememberAcctPW", 30},
    {"LoginServerFile", 31},
    {"LoginServer", 32},
    {"BackupLoginServer", 33},
    {"AcctID", 34},
    {"AcctLastName", 35},
    {"AcctPassword", 36},
    {"NextLoginKey", 37},
    {"DefaultChar", 38},
    {"Mouse", 40},
    {"MouseThread", 39},
    {"UseVerData", 41},
    {"SaveJournal", 42},
    {"JournalSaveFile", 43},
    {"JournalSaveUnicode", 44},
    {"NotorietyQuery", 45},
    {"UseCircleTrans", 46},
    {"CircleTransRadius", 47},
    {"CircleTransPos", 48},
    {"FilterPWOn", 49},
    {"Footsteps", 50},
    {"ShowTips", 51},
    {"LastTip", 52},
    {"CurrentVer", 53},
    {"BarkTimeModifier", 54},
    {"ScaleBarkTimes", 55},
    {"CombatHueColor", 56},
    {"FrameSkipping", 57},
    {"AllowPathfind", 58},
    {"HoldTabForCombat", 59},
    {"OffsetGumps", 60},
    {"AutoArrangeMinimized", 61},
    {"UnicodeSpeech", 62},
    {"AltKeyModNum", 63},
    {"Sound8Bit", 64},
    {"ReverseSpeakers", 65},
    {"ChatColorSelfText", 66},
    {"ChatColorSelfName", 67},
    {"ChatColorOpsText", 68},
    {"ChatColorOpsName", 69},
    {"ChatColorMutedText", 70},
    {"ChatColorMutedName", 71},
    {"ChatColorText", 72},
    {"ChatColorName", 73},
    {"ChatColorMenuOption", 74},
    {"ChatColorInput", 75},
    {"ChatColorSystemMessage", 76},
    {"ChatColorConferenceMenuBackground", 77},
    {"ChatColorCommandMenuBackground", 78},
    {"ChatColorUserListBackground", 79},
    {"ChatColorTextBackground", 80},
    {"ChatColorInputBackground", 81},
    {"ChatColorDialogBackground", 82},
    {"ChatFontNumber", 83},
    {"ChatSpaceWidth", 84},
    {"ChatAntiAlias", 85},
    {"BarkFontNumber", 86},
    {"ProfileColor1", 87},
    {"ProfileColor2", 88},
    {"HighlightColorInnocent", 89},
    {"HighlightColorFriend", 90},
    {"HighlightColorCanAttack", 91},
    {"HighlightColorCriminal", 92},
    {"HighlightColorEnemy", 93},
    {"HighlightColorMurderer", 94},
    {"AssumePlayAsGhost", 95},
    {"UseToolTips", 96},
    {"ToolTipPreDelay", 98},
    {"ToolTipFont", 97},
    {"ToolTipTextColor", 99},
    {"PopupHelpEnabled", 100},
    {"PopupHelpPreDelay", 101},
    {"PopupHelpTextColor", 102},
    {"PopupHelpTextFont", 103},
    {"PopupHelpSticky", 104},
    {"PopupHelpPersistant", 105},
    {"CensorFlesh", 106},
    {"CensorBlood", 107},
    {"CensoredBloodColor", 108},
    {"TranslationServer", 109},
    {"TranslationServerIPAddress", 110},
    {"TranslationServerTranslatorName", 111},
    {"TranslationServerSystranNFWMarker", 112},
    {"TranslationServerSystranTopicalGlossaries", 113},
    {"TranslationServerSystranDocumentType", 114},
    {"TranslationServerAutomatic", 115},
    {"AllowWindowResize", 117},
    {"SpamLimit", 116},
    {"FileManagerAddSearchPath", 118},
    {"GMHelpQueueLinesPerRequest", 119},
    {"GMHelpQueueMaxCharactersPerLine", 120},
    {"ColoredLighting", 121},
    {"ShadedFonts", 122},
    {"ClientFirstLaunch", 123},
    {"SkillReportDiff", 124},
    {"ShowIncomingNames", 125},
    {"StatReport", 126},
    {"LastServerID", 127},
    {"FilterWeather", 128},
    {nullptr, CFG_UNKNOWN},
};

bool is(const char* value, const char* word) {
    return strcasecmp(value, word) == 0;
}

// "on" or "yes"; the wider forms add "true" and then "1".
BOOL onYes(const char* v) {
    return is(v, "on") || is(v, "yes");
}
BOOL onYesTrue(const char* v) {
    return onYes(v) || is(v, "true");
}
BOOL onYesTrueOne(const char* v) {
    return onYesTrue(v) || is(v, "1");
}

// A decimal number with leading blanks and sign; ill-formed text reads as 0
// and out-of-range values saturate instead of overflowing.
int number(const char* v) {
    long n = strtol(v, nullptr, 10);
    if (n > INT_MAX) return INT_MAX;
    if (n < INT_MIN) return INT_MIN;
    return static_cast<int>(n);
}

int atLeast(int v, int low) {
    return v < low ? low : v;
}
int clampTo(int v, int low, int high) {
    return v < low ? low : v > high ? high : v;
}

// Keeps at most size - 1 characters: every text setting has its cap.
template <size_t N>
void copyText(char (&dst)[N], const char* src) {
    size_t n = strnlen(src, N - 1);
    memcpy(dst, src, n);
    dst[n] = 0;
}

template <size_t N>
void copyPassword(char (&dst)[N], const char* src) {
    if (!*src) return;
    copyText(dst, src);
    UnscramblePassword(dst);
}

void setOrderCache(const char* v) {
    char words[TEXT_LINE_SIZE];
    snprintf(words, sizeof words, "%s", v);
    OrderCacheOnStartup = 0;
    char* save = nullptr;
    for (char* w = strtok_r(words, ", \t", &save); w; w = strtok_r(nullptr, ", \t", &save))
        if (is(w, "startup")) OrderCacheOnStartup = 1;
}

void setEditServer(const char* v) {
    if (IsNumericAddress(v)) {
        ParseNumericAddress(v, &EditServerAddress, &EditServerPort);
        return;
    }
    int a, b, c, d, port;
    if (!ResolveServerAddress(v, &a, &b, &c, &d, &port)) {
        // An edit server that cannot be found is no edit server: the login
        // servers stay in use.
        EditServerAddress = 0;
        EditServerPort = 0;
        TWReport::warning("SetConfigValue: EditServer '%s' cannot be resolved; not used.\n", v);
        return;
    }
    EditServerAddress = static_cast<M_DWORD>(a) << 24 | static_cast<M_DWORD>(b) << 16 |
                        static_cast<M_DWORD>(c) << 8 | static_cast<M_DWORD>(d);
    EditServerPort = static_cast<M_WORD>(port);
}

void setGamePlayWindowSize(const char* v) {
    copyText(GamePlayWindowSize, v);
    int width = 0, height = 0;
    sscanf(v, "%dx%d", &width, &height);
    tw::Service<ConfigHooks>::Get().setGameplayWindowPixelWidthAndHeight(width, height);
}

void setPageFlip(const char* v) {
    if (!GDIFullScreenRead) GDIFullScreen = 0;
    PageFlip = onYes(v);
    if (!PageFlip && is(v, "gdi") && !GDIFullScreenRead) GDIFullScreen = 1;
}

void setHighlight(int entry, const char* v) {
    int colour = ParseColor(v);
    // Bit 0 keeps a configured black from reading as "not configured"; a
    // negative value is a hue number to be negated and must stay exact.
    if (colour >= 0) colour |= 1;
    HighlightColor[entry] = colour;
    HighlightHue[entry] = number(v);
}

void addSearchPath(const char* path) {
    // "tw.cfg" is read again on a server's request; adding the same path once
    // more each time would soon fill the fixed table, which is fatal.
    for (int i = 0; i < FileManager::getNumSearchPaths(); ++i) {
        const SearchPathInfo* info = FileManager::getSearchPath(i);
        if (info && strcmp(info->path, path) == 0) return;
    }
    FileManager::addSearchPath(path, 1, 0);
}

}  // namespace

int FindConfigKey(const char* name) {
    if (!name) return CFG_UNKNOWN;
    for (const KeyName* k = kKeys; k->name; ++k)
        if (strcasecmp(k->name, name) == 0) return k->id;
    return CFG_UNKNOWN;
}

const char* ConfigKeyName(int id) {
    for (const KeyName* k = kKeys; k->name; ++k)
        if (k->id == id) return k->name;
    return nullptr;
}

bool SplitConfigLine(char* line, char** key, char** value) {
    static const char kKeyEnds[] = " \t\n\r\f=";
    static const char kValueEnds[] = "\t\n\r\f";
    *key = nullptr;
    *value = nullptr;
    char* p = line + strspn(line, kKeyEnds);
    if (!*p) return false;
    *key = p;
    p += strcspn(p, kKeyEnds);
    if (!*p) return true;
    *p++ = 0;
    p += strspn(p, kValueEnds);
    if (!*p) return true;
    *value = p;
    p[strcspn(p, kValueEnds)] = 0;
    return true;
}

void SetConfigValue(int id, const char* v, BOOL skipLoginServers) {
    if (!v) return;
    if (skipLoginServers && (id == CFG_LoginServer || id == CFG_BackupLoginServer)) return;
    switch (id) {
        case CFG_CdRomDataPath:
            copyText(CdRomDataPath, v);
            break;
        case CFG_CacheSize:
            CacheSize = number(v);
            break;
        case CFG_HdUsage:
            hdConfig = is(v, "max") ? MaxHD : CDInstall;
            break;
        case CFG_PlayerName:
            if (*v) copyText(PlayerName, v);
            break;
        case CFG_Password:
            copyPassword(Password, v);
            break;
        case CFG_Sound:
            Sound = onYes(v);
            break;
        case CFG_SoundVol:
            SoundVol = number(v);
            break;
        case CFG_Music:
            Music = onYes(v);
            break;
        case CFG_MusicVol:
            MusicVol = number(v);
            break;
        case CFG_ObscenityFilter:
            ObscenityFilter = onYes(v);
            break;
        case CFG_FilterPassword:
            copyPassword(FilterPassword, v);
            break;
        case CFG_PageFlip:
            setPageFlip(v);
            break;
        case CFG_GDIFullScreen:
            GDIFullScreenRead = 1;
            GDIFullScreen = onYes(v);
            break;
        case CFG_FrameCounter:
            FrameCounter = onYes(v);
            break;
        case CFG_SavePassword:
            SavePassword = onYes(v);
            break;
        case CFG_FullScreen:
            FullScreen = onYes(v);
            break;
        case CFG_FullScreenRes:
            copyText(FullScreenRes, v);
            break;
        case CFG_GamePlayWindowSize:
            setGamePlayWindowSize(v);
            break;
        case CFG_EditServer:
            setEditServer(v);
            break;
        case CFG_UserCentral:
            if (IsNumericAddress(v)) {
                ParseNumericAddress(v, &UserCentralAddress, &UserCentralPort);
            } else {
                UserCentralAddress = 0;
                UserCentralPort = 0;
            }
            break;
        case CFG_ShowIntroAnim:
            ShowIntroAnim = onYes(v);
            break;
        // The blitters' 5-5-5 constants never change, so only the flag is set.
        case CFG_use565:
            use565 = onYes(v);
            break;
        case CFG_EnableMessenger:
            EnableMessenger = onYesTrue(v);
            break;
        case CFG_TWMessengerPing:
            TWMessengerPing = onYesTrue(v);
            break;
        case CFG_autoLogIn:
            autoLogIn = onYes(v);
            break;
        case CFG_OrderCacheOnStartup:
            OrderCacheOnStartup = onYes(v);
            break;
        case CFG_OrderCache:
            setOrderCache(v);
            break;
        case CFG_RememberAcctPW:
            RememberAcctPW = onYes(v);
            break;
        case CFG_LoginServerFile:
            copyText(LoginServerFile, v);
            break;
        case CFG_LoginServer:
            loginServers.Add(v);
            if (loginServers.current < 0) loginServers.current = 0;
            break;
        case CFG_BackupLoginServer:
            backupLoginServers.Add(v);
            break;
        case CFG_AcctID:
            if (*v) copyText(AcctID, v);
            break;
        case CFG_AcctLastName:
            if (*v) copyText(AcctLastName, v);
            break;
        case CFG_AcctPassword:
            copyPassword(AcctPassword, v);
            break;
        case CFG_NextLoginKey:
            if (*v) NextLoginKey = static_cast<M_BYTE>(number(v));
            break;
        case CFG_DefaultChar:
            if (*v) {
                int slot = number(v);
                if (slot >= 0 && slot <= 4) DefaultChar = slot;
            }
            break;
        case CFG_MouseThread:
            MouseThread = onYes(v) || is(v, "fast");
            break;
        case CFG_Mouse:
            if (is(v, "slow")) MouseThread = 0;
            if (is(v, "fast")) MouseThread = 1;
            break;
        case CFG_UseVerData:
            UseVerData = onYes(v);
            break;
        case CFG_JournalSaveFile:
            copyText(JournalSaveFile, v);
            SaveJournal = 1;
            break;
        case CFG_JournalSaveUnicode:
            JournalSaveUnicode = onYes(v);
            break;
        case CFG_NotorietyQuery:
            NotorietyQuery = onYes(v);
            break;
        case CFG_UseCircleTrans:
            UseCircleTrans = onYes(v);
            break;
        case CFG_CircleTransRadius:
            CircleTransRadius = number(v);
            tw::Service<ConfigHooks>::Get().SetCircleTransRadius(CircleTransRadius);
            break;
        case CFG_CircleTransPos: {
            int x, y;
            if (sscanf(v, "%d,%d", &x, &y) == 2)
                tw::Service<ConfigHooks>::Get().SetCircleTransPosition(x, y);
            break;
        }
        case CFG_FilterPWOn:
            FilterPWOn = onYes(v);
            break;
        case CFG_Footsteps:
            Footsteps = onYes(v);
            break;
        case CFG_ShowTips:
            ShowTips = onYes(v);
            break;
        case CFG_LastTip:
            LastTip = number(v);
            break;
        case CFG_CurrentVer:
            CurrentVer = number(v);
            break;
        case CFG_BarkTimeModifier:
            BarkTimeModifier = number(v);
            break;
        case CFG_ScaleBarkTimes:
            ScaleBarkTimes = onYes(v);
            break;
        case CFG_CombatHueColor:
            CombatHueColor = ParseColor(v);
            break;
        case CFG_FrameSkipping:
            FrameSkipping = onYes(v);
            break;
        case CFG_AllowPathfind:
            AllowPathfind = onYes(v);
            break;
        case CFG_HoldTabForCombat:
            HoldTabForCombat = onYes(v);
            break;
        case CFG_OffsetGumps:
            OffsetGumps = onYes(v);
            break;
        case CFG_AutoArrangeMinimized:
            AutoArrangeMinimized = onYes(v);
            break;
        case CFG_UnicodeSpeech:
            UnicodeSpeech = onYes(v);
            break;
        case CFG_AltKeyModNum:
            AltKeyModNum = number(v);
            break;
        case CFG_Sound8Bit:
            Sound8Bit = onYes(v);
            break;
        case CFG_ReverseSpeakers:
            ReverseSpeakers = onYes(v);
            break;
        case CFG_ChatColorSelfText:
            ChatColorSelfText = ParseColor(v);
            break;
        case CFG_ChatColorSelfName:
            ChatColorSelfName = ParseColor(v);
            break;
        case CFG_ChatColorOpsText:
            ChatColorOpsText = ParseColor(v);
            break;
        case CFG_ChatColorOpsName:
            ChatColorOpsName = ParseColor(v);
            break;
        case CFG_ChatColorMutedText:
            ChatColorMutedText = ParseColor(v);
            break;
        case CFG_ChatColorMutedName:
            ChatColorMutedName = ParseColor(v);
            break;
        case CFG_ChatColorText:
            ChatColorText = ParseColor(v);
            break;
        case CFG_ChatColorName:
            ChatColorName = ParseColor(v);
            break;
        case CFG_ChatColorMenuOption:
            ChatColorMenuOption = ParseColor(v);
            break;
        case CFG_ChatColorInput:
            ChatColorInput = ParseColor(v);
            break;
        case CFG_ChatColorSystemMessage:
            ChatColorSystemMessage = ParseColor(v);
            break;
        case CFG_ChatColorConferenceMenuBackground:
            ChatColorConferenceMenuBackground = ParseColor(v);
            break;
        case CFG_ChatColorCommandMenuBackground:
            ChatColorCommandMenuBackground = ParseColor(v);
            break;
        case CFG_ChatColorUserListBackground:
            ChatColorUserListBackground = ParseColor(v);
            break;
        case CFG_ChatColorTextBackground:
            ChatColorTextBackground = ParseColor(v);
            break;
        case CFG_ChatColorInputBackground:
            ChatColorInputBackground = ParseColor(v);
            break;
        case CFG_ChatColorDialogBackground:
            ChatColorDialogBackground = ParseColor(v);
            break;
        case CFG_ChatFontNumber:
            ChatFontNumber = number(v);
            break;
        case CFG_ChatSpaceWidth:
            ChatSpaceWidth = number(v);
            break;
        case CFG_ChatAntiAlias:
            ChatAntiAlias = onYes(v);
            break;
        case CFG_BarkFontNumber:
            BarkFontNumber = number(v);
            break;
        case CFG_ProfileColor1:
            ProfileColor1 = ParseColor(v);
            break;
        case CFG_ProfileColor2:
            ProfileColor2 = ParseColor(v);
            break;
        case CFG_HighlightColorInnocent:
        case CFG_HighlightColorFriend:
        case CFG_HighlightColorCanAttack:
        case CFG_HighlightColorCriminal:
        case CFG_HighlightColorEnemy:
        case CFG_HighlightColorMurderer:
            setHighlight(id - 88, v);
            break;
        case CFG_AssumePlayAsGhost:
            AssumePlayAsGhost = onYes(v);
            break;
        case CFG_UseToolTips:
            UseToolTips = onYes(v);
            break;
        case CFG_ToolTipFont:
            ToolTipFont = clampTo(number(v), 0, 2);
            break;
        case CFG_ToolTipPreDelay:
            ToolTipPreDelay = atLeast(number(v), 100);
            break;
        case CFG_ToolTipTextColor:
            ToolTipTextColor = ParseColor(v);
            break;
        case CFG_PopupHelpEnabled:
            PopupHelpEnabled = onYesTrueOne(v);
            PopupHelpKeyRead = 1;
            break;
        case CFG_PopupHelpPreDelay:
            PopupHelpPreDelay = atLeast(number(v), 100);
            break;
        case CFG_PopupHelpTextColor:
            PopupHelpTextColor = ParseColor(v);
            break;
        case CFG_PopupHelpTextFont:
            PopupHelpTextFont = clampTo(number(v), 0, 2);
            break;
        case CFG_PopupHelpSticky:
            PopupHelpSticky = onYesTrueOne(v);
            break;
        case CFG_PopupHelpPersistant:
            PopupHelpPersistant = !(is(v, "no") || is(v, "off") || is(v, "false") || is(v, "0"));
            break;
        case CFG_CensorFlesh:
            CensorFlesh = onYes(v);
            break;
        case CFG_CensorBlood:
            CensorBlood = onYes(v);
            break;
        case CFG_CensoredBloodColor:
            CensoredBloodColor = ParseColor(v);
            break;
        // Speech is held back by SpamLimit per second: below 1 nothing would
        // ever drain and the wait would divide by zero.
        case CFG_SpamLimit:
            SpamLimit = atLeast(number(v), 1);
            break;
        case CFG_AllowWindowResize:
            if (onYesTrueOne(v)) AllowWindowResize = 1;
            if (is(v, "off") || is(v, "no") || is(v, "false") || is(v, "0")) AllowWindowResize = 0;
            break;
        case CFG_FileManagerAddSearchPath:
            addSearchPath(v);
            break;
        case CFG_ColoredLighting:
            ColoredLighting = onYes(v);
            break;
        case CFG_ShadedFonts:
            ShadedFonts = onYes(v);
            break;
        case CFG_ClientFirstLaunch:
            ClientFirstLaunch = onYes(v);
            break;
        case CFG_SkillReportDiff: {
            int diff = number(v);
            SkillReportDiff = diff > 100 ? 100 : diff;
            break;
        }
        case CFG_ShowIncomingNames:
            ShowIncomingNames = onYes(v);
            break;
        case CFG_StatReport:
            StatReport = onYes(v);
            break;
        case CFG_LastServerID:
            LastServerID = atLeast(number(v), 0);
            break;
        case CFG_FilterWeather:
            FilterWeather = onYes(v);
            break;
        default:
            // Known keys whose values are not applied here, and unknown ids.
            break;
    }
}

void ReadConfigFile(const char* fileName, BOOL skipLoginServers) {
    FILE* file = fileName ? FileManager::open(fileName, "r") : nullptr;
    if (!file) {
        TWReport::error("File:%s, Function:CApp::readConfig: cannot open file ''.\n",
                        "shared/base/config");
        return;
    }
    for (;;) {
        char* line = ReadTextLine(file);
        char *key, *value;
        if (SplitConfigLine(line, &key, &value) && value)
            SetConfigValue(FindConfigKey(key), value, skipLoginServers);
        if (feof(file) || ferror(file)) break;
    }
    FileManager::close(file);
}
