// The name table of "tw.cfg" and the reader that applies each line to the
// settings: both made from the key table (ConfigKeyTable.h), whose parser
// column names the functions below.
#include <strings.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "FileManager.h"
#include "Service.h"
#include "TWReport.h"
#include "config/Color.h"
#include "config/Config.h"
#include "config/ConfigHooks.h"
#include "config/TextLine.h"

namespace {

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
BOOL isNo(const char* v) {
    return is(v, "no") || is(v, "off") || is(v, "false") || is(v, "0");
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

ConfigHooks& hooks() {
    return tw::Service<ConfigHooks>::Get();
}

// The parsers of the key table's SETTING rows: each applies a value to the
// key's own setting.

template <size_t N>
void ParseText(char (&setting)[N], const char* v) {
    copyText(setting, v);
}

template <size_t N>
void ParseTextUnlessEmpty(char (&setting)[N], const char* v) {
    if (*v) copyText(setting, v);
}

// Stored passwords are scrambled in the file.
template <size_t N>
void ParsePassword(char (&setting)[N], const char* v) {
    if (!*v) return;
    copyText(setting, v);
    UnscramblePassword(setting);
}

void ParseNumber(int& setting, const char* v) {
    setting = number(v);
}
void ParseOnYes(BOOL& setting, const char* v) {
    setting = onYes(v);
}
void ParseOnYesTrue(BOOL& setting, const char* v) {
    setting = onYesTrue(v);
}
void ParseOnYesTrueOne(BOOL& setting, const char* v) {
    setting = onYesTrueOne(v);
}
void ParseUnlessNo(BOOL& setting, const char* v) {
    setting = !isNo(v);
}
void ParseColour(int& setting, const char* v) {
    setting = ParseColor(v);
}
void ParseFontNumber(int& setting, const char* v) {
    setting = clampTo(number(v), 0, 2);
}
void ParseDelay(int& setting, const char* v) {
    setting = atLeast(number(v), 100);
}
// Speech is held back by SpamLimit per second: below 1 nothing would ever
// drain and the wait would divide by zero.
void ParseSpamLimit(int& setting, const char* v) {
    setting = atLeast(number(v), 1);
}
void ParseNotNegative(int& setting, const char* v) {
    setting = atLeast(number(v), 0);
}
void ParseSkillReportDiff(int& setting, const char* v) {
    int diff = number(v);
    setting = diff > 100 ? 100 : diff;
}

void ParseNextLoginKey(M_BYTE& setting, const char* v) {
    if (*v) setting = static_cast<M_BYTE>(number(v));
}

void ParseDefaultChar(int& setting, const char* v) {
    if (!*v) return;
    int slot = number(v);
    if (slot >= 0 && slot <= 4) setting = slot;
}

void ParseMouseThread(BOOL& setting, const char* v) {
    setting = onYes(v) || is(v, "fast");
}

void ParsePageFlip(BOOL& setting, const char* v) {
    if (!GDIFullScreenRead) GDIFullScreen = 0;
    setting = onYes(v);
    if (!setting && is(v, "gdi") && !GDIFullScreenRead) GDIFullScreen = 1;
}

void ParseGDIFullScreen(BOOL& setting, const char* v) {
    GDIFullScreenRead = 1;
    setting = onYes(v);
}

void ParseGamePlayWindowSize(ConfigText<512>& setting, const char* v) {
    copyText(setting, v);
    int width = 0, height = 0;
    sscanf(v, "%dx%d", &width, &height);
    hooks().setGameplayWindowPixelWidthAndHeight(width, height);
}

void ParseJournalSaveFile(ConfigText<256>& setting, const char* v) {
    copyText(setting, v);
    SaveJournal = 1;
}

void ParseCircleTransRadius(int& setting, const char* v) {
    setting = number(v);
    hooks().SetCircleTransRadius(setting);
}

void ParsePopupHelpEnabled(BOOL& setting, const char* v) {
    setting = onYesTrueOne(v);
    PopupHelpKeyRead = 1;
}

void ParseAllowWindowResize(BOOL& setting, const char* v) {
    if (onYesTrueOne(v)) setting = 1;
    if (isNo(v)) setting = 0;
}

// The parsers of the KEY rows: keys without a setting of their own.

void IgnoreValue(const char*) {}
template <class Setting>
void IgnoreValue(Setting&, const char*) {}

void ParseHdUsage(const char* v) {
    hdConfig = is(v, "max") ? MaxHD : CDInstall;
}

void ParseEditServer(const char* v) {
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

void ParseUserCentral(const char* v) {
    if (IsNumericAddress(v)) {
        ParseNumericAddress(v, &UserCentralAddress, &UserCentralPort);
    } else {
        UserCentralAddress = 0;
        UserCentralPort = 0;
    }
}

void ParseOrderCache(const char* v) {
    char words[TEXT_LINE_SIZE];
    snprintf(words, sizeof words, "%s", v);
    OrderCacheOnStartup = 0;
    char* save = nullptr;
    for (char* w = strtok_r(words, ", \t", &save); w; w = strtok_r(nullptr, ", \t", &save))
        if (is(w, "startup")) OrderCacheOnStartup = 1;
}

void ParseLoginServer(const char* v) {
    loginServers.Add(v);
    if (loginServers.current < 0) loginServers.current = 0;
}

void ParseBackupLoginServer(const char* v) {
    backupLoginServers.Add(v);
}

void ParseMouse(const char* v) {
    if (is(v, "slow")) MouseThread = 0;
    if (is(v, "fast")) MouseThread = 1;
}

void ParseCircleTransPos(const char* v) {
    int x, y;
    if (sscanf(v, "%d,%d", &x, &y) == 2) hooks().SetCircleTransPosition(x, y);
}

template <int Entry>
void ParseHighlight(const char* v) {
    int colour = ParseColor(v);
    // Bit 0 keeps a configured black from reading as "not configured"; a
    // negative value is a hue number to be negated and must stay exact.
    if (colour >= 0) colour |= 1;
    HighlightColor[Entry] = colour;
    HighlightHue[Entry] = number(v);
}

void ParseSearchPath(const char* path) {
    // "tw.cfg" is read again on a server's request; adding the same path once
    // more each time would soon fill the fixed table, which is fatal.
    for (int i = 0; i < FileManager::getNumSearchPaths(); ++i) {
        const SearchPathInfo* info = FileManager::getSearchPath(i);
        if (info && strcmp(info->path, path) == 0) return;
    }
    FileManager::addSearchPath(path, 1, 0);
}

// The name table with each key's reader, in the key table's order.
struct KeyRow {
    const char* name;
    int id;
    void (*apply)(const char* value);
};

#define TW_SETTING_ROW(number, name, type, value, parser) \
    {#name, number, [](const char* v) { parser(name, v); }},
#define TW_KEY_ROW(number, name, parser) {#name, number, parser},
const KeyRow kKeys[] = {TW_CONFIG_KEYS(TW_SETTING_ROW, TW_KEY_ROW)};
#undef TW_SETTING_ROW
#undef TW_KEY_ROW

// Each number names one key: a second row with the same number would never
// be read.
constexpr bool numbersAreUnique() {
#define TW_KEY_NUMBER(number, ...) number,
    constexpr int numbers[] = {TW_CONFIG_KEYS(TW_KEY_NUMBER, TW_KEY_NUMBER)};
#undef TW_KEY_NUMBER
    for (size_t i = 0; i < std::size(numbers); ++i) {
        if (numbers[i] < 0 || numbers[i] >= CFG_UNKNOWN) return false;
        for (size_t j = i + 1; j < std::size(numbers); ++j)
            if (numbers[i] == numbers[j]) return false;
    }
    return true;
}
static_assert(numbersAreUnique(), "two rows of the key table share a number");

const KeyRow* findRow(int id) {
    for (const KeyRow& k : kKeys)
        if (k.id == id) return &k;
    return nullptr;
}

}  // namespace

int FindConfigKey(const char* name) {
    if (!name) return CFG_UNKNOWN;
    for (const KeyRow& k : kKeys)
        if (strcasecmp(k.name, name) == 0) return k.id;
    return CFG_UNKNOWN;
}

const char* ConfigKeyName(int id) {
    const KeyRow* row = findRow(id);
    return row ? row->name : nullptr;
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
    // Ids without a row (22, unknown keys, anything outside the table) are
    // ignored.
    if (const KeyRow* row = findRow(id)) row->apply(v);
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
