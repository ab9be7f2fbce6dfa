// The client's version text and the fixed layout table of sizes and start
// offsets that the server's data-update messages use.  A static class; the
// table is filled by startup and lives for the process.
#pragma once

#include "TWTypes.h"

class CVersionManager {
public:
    static constexpr int LAYOUT_ENTRIES = 10;

    static void startup();
    static void shutdown();

    // Runs the edit-server hook when an edit server is configured.
    static void CheckEditServer();
    // Shows "TW Version <text>." as a system message.
    static void ShowVersion();
    static const char* GetVersionText();

    // layoutStart[i] is the sum of layoutSize[0..i].
    static M_DWORD layoutSize[LAYOUT_ENTRIES];
    static M_DWORD layoutStart[LAYOUT_ENTRIES];

    static void reset();
};
