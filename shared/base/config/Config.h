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
#include "config/ConfigKeyTable.h"

// Key ids, CFG_<key name> = key number (ConfigKeyTable.h); number 22 has no
// key and is never found.
enum ConfigKeyId {
#define TW_KEY_ID(number, name, ...) CFG_##name = number,
    TW_CONFIG_KEYS(TW_KEY_ID, TW_KEY_ID)
#undef TW_KEY_ID
        CFG_UNKNOWN = 129,
};

// A text setting of at most N - 1 characters.
template <size_t N>
using ConfigText = char[N];

// The settings named after their keys, with the defaults of the key table.
// use565 asks for 5-6-5 pixels: the display opens at depth 16 first when it
// is set, else 15, and the window's visual overrides it; the blitters' 5-5-5
// constants never change, so the key sets only the flag.
#define TW_DECLARE_SETTING(number, name, type, ...) extern type name;
#define TW_NO_SETTING(...)
TW_CONFIG_KEYS(TW_DECLARE_SETTING, TW_NO_SETTING)
#undef TW_DECLARE_SETTING
#undef TW_NO_SETTING

// Settings that keys set besides their own, or instead of one.
extern BOOL GDIFullScreenRead;  // a GDIFullScreen line was read
extern BOOL PopupHelpKeyRead;   // a PopupHelpEnabled line was read
// EditServer and UserCentral, host order, a << 24 | b << 16 | c << 8 | d;
// address 0 = not set.
extern M_DWORD EditServerAddress;
extern M_WORD EditServerPort;
extern M_DWORD UserCentralAddress;
extern M_WORD UserCentralPort;

// Entries 1-6 of the highlight tables are the HighlightColor... keys in key
// order (innocent, friend, can-attack, criminal, enemy, murderer); entry 0 is
// unused.
constexpr int HIGHLIGHT_ENTRIES = 7;
// A configured colour (bit 0 set, so that a configured black is not 0;
// negative: the negated hue number itself) and the hue number in use.
extern int HighlightColor[HIGHLIGHT_ENTRIES];
extern int HighlightHue[HIGHLIGHT_ENTRIES];

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
