// The settings' definitions with their built-in defaults, made from the key
// table so that the reset for tests cannot drift from the defaults.
#include <cstring>

#include "config/Config.h"

namespace {

// Settings that keys set besides their own, with their defaults.
#define TW_SIDE_SETTINGS(X)           \
    X(BOOL, GDIFullScreenRead, 0)     \
    X(BOOL, PopupHelpKeyRead, 0)      \
    X(M_DWORD, EditServerAddress, 0)  \
    X(M_WORD, EditServerPort, 0)      \
    X(M_DWORD, UserCentralAddress, 0) \
    X(M_WORD, UserCentralPort, 0)     \
    X(int, hdConfig, MaxHD)

const int kHighlightHues[HIGHLIGHT_ENTRIES] = {0, 89, 63, 946, 946, 144, 34};

template <class Setting, class Value>
void ResetTo(Setting& setting, Value value) {
    setting = value;
}

template <size_t N, size_t M>
void ResetTo(char (&setting)[N], const char (&value)[M]) {
    static_assert(M <= N, "a text default longer than its setting");
    memcpy(setting, value, M);
}

}  // namespace

#define TW_DEFINE_SETTING(number, name, type, value, parser) type name = value;
#define TW_NO_SETTING(...)
TW_CONFIG_KEYS(TW_DEFINE_SETTING, TW_NO_SETTING)

#define TW_DEFINE_SIDE_SETTING(type, name, value) type name = value;
TW_SIDE_SETTINGS(TW_DEFINE_SIDE_SETTING)

int HighlightColor[HIGHLIGHT_ENTRIES] = {0, 0, 0, 0, 0, 0, 0};
int HighlightHue[HIGHLIGHT_ENTRIES] = {0, 89, 63, 946, 946, 144, 34};

void ResetConfigForTests() {
#define TW_RESET_SETTING(number, name, type, value, parser) ResetTo(name, value);
    TW_CONFIG_KEYS(TW_RESET_SETTING, TW_NO_SETTING)
#define TW_RESET_SIDE_SETTING(type, name, value) name = value;
    TW_SIDE_SETTINGS(TW_RESET_SIDE_SETTING)
    memset(HighlightColor, 0, sizeof HighlightColor);
    memcpy(HighlightHue, kHighlightHues, sizeof HighlightHue);
    loginServers.Clear();
    backupLoginServers.Clear();
}
