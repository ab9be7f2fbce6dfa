// CApp: the client's application-wide state and the small operations that
// belong to no single manager.  A static class, never instantiated; its
// state lives for the process unless a comment says otherwise.
//
// The app folder also holds the configuration keys (Config.h), the shared
// line reader (TextLine.h), colour and name helpers (Color.h), the version
// manager and the song list.
#pragma once

#include "TWTypes.h"

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

class CApp {
public:
    static void startup();
    static void shutdown();
    static void LoadPlayerFile();
    static void LoadWordLists();

    // The frame tick: the client's one periodic step.
    static void FrameTick(int skipDraw);

    // The keyboard character handler and the mouse entry points that the
    // event pump calls.
    static void OnChar(int code);
    static void OnLButtonDown(short x, short y);
    static void OnLButtonUp(short x, short y);
    static void OnRButtonDown(short x, short y);
    static void OnRButtonUp(short x, short y);
    static void OnMouseMove(short x, short y);

    // 1 = war, 0 = peace, -1 = toggle.
    static void SetWarMode(int mode);
    // The war mode last requested and not yet confirmed (-1: none), and the
    // player's own war flag.
    static int WarModeRequest();
    static BOOL PlayerAtWar();

    // Runs every action of the macro at that list index.
    static void RunMacro(int index);

    // The installation kind, from HdUsage: every data file on the hard disk,
    // or some on the CD with a cache file.
    enum HdConfig { MaxHD = 0, CDInstall = 1 };
    static int hdConfig;

    // Applies every line of a configuration file; the login-server keys are
    // skipped with skipLoginServers.
    static void readConfig(const char* fileName, BOOL skipLoginServers);

    // Connection-lifetime state: the login servers from "login.cfg".
    static LoginServerList loginServers;
    static LoginServerList backupLoginServers;
};

// rand() % n; n must be non-zero.
int RandomNumber(int n);
