// "macros.txt" and "keynames.txt" from arbitrary bytes: read, written back,
// read again and written again, which must give the same text.  The skill
// and spell names the actions look up come from a game-dialogs double with
// two of each.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "FrameBuf.h"
#include "PlatformServices.h"
#include "Service.h"
#include "app/App.h"
#include "app/Macros.h"
#include "fuzz/FuzzSupport.h"
#include "support/doubles/RecordingUpperServices.h"

namespace {

void InstallSkillAndSpellNames() {
    static tw::doubles::RecordingDialogs dialogs;
    dialogs.skillNames = {"Alchemy", "Animal Lore"};
    dialogs.spellTableNames = {"Spark (Ka)", "Mend (Re Ka)"};
}

void CheckBounds() {
    if (g_keyNameCount > MAX_KEY_NAMES) __builtin_trap();
    int count = 0;
    for (CMacro* m = g_macroList; m; m = m->next, ++count)
        if (m->actionCount > MAX_MACRO_ACTIONS) __builtin_trap();
    if (count != g_macroCount) __builtin_trap();
}

std::string Saved() {
    std::ifstream in("macros.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::fuzz::EnterScratchDir();
    static bool tables = false;
    if (!tables) {
        tables = true;
        InstallSkillAndSpellNames();
        InitKeyTables();
        tw::Service<KeyNames>::Install(&X11KeyNames());
    }
    for (const char* name : {"macros.txt", "keynames.txt"}) {
        FILE* f = fopen(name, "wb");
        fwrite(data, 1, size, f);
        fclose(f);
    }
    CApp::LoadMacros();
    CheckBounds();
    CApp::SaveMacros();
    const std::string first = Saved();
    CApp::LoadMacros();
    CheckBounds();
    // What the client wrote reads back to the same macros: writing them
    // again gives the same text.
    CApp::SaveMacros();
    if (Saved() != first) __builtin_trap();
    FreeMacros();
    return 0;
}
