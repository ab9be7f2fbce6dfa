// Reading and writing "macros.txt" and "keynames.txt", and the text form of
// one macro action.
#include <strings.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "FileManager.h"
#include "FrameBuf.h"
#include "KeyNames.h"
#include "Service.h"
#include "TWReport.h"
#include "app/App.h"
#include "app/Macros.h"
#include "config/Color.h"
#include "config/TextLine.h"
#include "dialogs/SkillGump.h"
#include "dialogs/SpellBook.h"

const char* const g_macroActionNames[MACRO_ACTION_COUNT] = {
    "NULL",       "Say",         "Emote",      "Whisper",    "Yell",       "Walk",
    "War/Peace",  "Paste",       "Open",       "Close",      "Minimize",   "Maximize",
    "OpenDoor",   "UseSkill",    "LastSkill",  "CastSpell",  "LastSpell",  "LastObject",
    "Bow",        "Salute",      "QuitGame",   "AllNames",   "LastTarget", "TargetSelf",
    "Arm/Disarm", "WaitForTarg", "TargetNext", "AttackLast", "Delay",      "CircleTrans",
    "Command",    "CloseGumps"};

const char* const g_macroDirections[MACRO_DIRECTION_COUNT] = {"NW", "N", "NE", "E",
                                                              "SE", "S", "SW", "W"};

const char* const g_macroWindows[MACRO_WINDOW_COUNT] = {
    "Configuration", "Paperdoll", "Status",   "Journal",  "Skills",
    "Spellbook",     "Chat",      "Backpack", "Overview", "Mail"};

int g_macroCount = 0;
char* g_keyNames[MAX_KEY_NAMES] = {};
int g_keyNameCount = 0;

namespace {

bool TakesText(int action) {
    return (action >= MACRO_SAY && action <= MACRO_YELL) || action == MACRO_DELAY;
}

bool IsWindowAction(int action) {
    return action >= MACRO_OPEN && action <= MACRO_MAXIMIZE;
}

char* CopyText(const char* text) {
    size_t n = strlen(text);
    char* copy = new char[n + 1];
    memcpy(copy, text, n + 1);
    return copy;
}

// The keysym of a key name, 0 when the window system knows none.
M_DWORD KeySymFromName(const char* name) {
    return tw::Service<KeyNames>::Get().KeySymFromName(name);
}

const char* KeySymName(M_DWORD keysym) {
    return tw::Service<KeyNames>::Get().KeySymName(keysym);
}

// Splits a header line such as "F1 0 1 0" from its end: the last three '0'
// or '1' characters are the flags, the text before the first of them, less
// one blank, is the key name (cut to the name buffer).  False when the line
// has no three flags or no name; nothing before the line start is read.
bool ParseHeader(const char* line, char (&name)[TEXT_LINE_SIZE], int flags[3]) {
    size_t pos = strlen(line);
    size_t first = 0;
    for (int found = 2; found >= 0; --found) {
        while (pos > 0 && line[pos - 1] != '0' && line[pos - 1] != '1') --pos;
        if (pos == 0) return false;
        --pos;
        flags[found] = line[pos] - '0';
        first = pos;
    }
    size_t end = first;
    if (end > 0 && line[end - 1] == ' ') --end;
    if (end == 0) return false;
    if (end >= sizeof name) end = sizeof name - 1;
    memcpy(name, line, end);
    name[end] = 0;
    return true;
}

// The key code of a key name by the event pump's tables, trying the name
// with a lower-case first letter when the name itself gives none; keysym
// is the one that gave the code.
M_DWORD LookUpKey(char* name, M_DWORD& keysym) {
    keysym = KeySymFromName(name);
    M_DWORD code = keysym ? TranslateKeySym(keysym) : 0;
    if (code == 0 && name[0]) {
        name[0] = static_cast<char>(tolower(static_cast<unsigned char>(name[0])));
        M_DWORD other = KeySymFromName(name);
        if (other) {
            keysym = other;
            code = TranslateKeySym(other);
        }
    }
    return code;
}

// The file has more to read.  A read error ends it like the end of the
// file: the line reader gives an empty line for it, again and again.
bool MoreToRead(FILE* f) {
    return !feof(f) && !ferror(f);
}

// Hands each line to onLine up to the next that begins with '#' (which is
// consumed) or the end of the file.
template <typename F>
void ReadBlock(FILE* f, F onLine) {
    while (MoreToRead(f)) {
        const char* line = ReadTextLine(f);
        if (line[0] == '#') return;
        if (line[0] == 0 && !MoreToRead(f)) return;
        onLine(line);
    }
}

void LoadKeyNames() {
    FILE* f = FileManager::open("keynames.txt", "r");
    if (!f) return;
    while (MoreToRead(f) && g_keyNameCount < MAX_KEY_NAMES) {
        const char* line = ReadTextLine(f);
        if (line[0] == 0 && !MoreToRead(f)) break;
        g_keyNames[g_keyNameCount++] = CopyText(line);
    }
    FileManager::close(f);
}

}  // namespace

CMacro* GetMacro(int index) {
    CMacro* macro = g_macroList;
    for (int i = 0; macro && i < index; ++i) macro = macro->next;
    return index < 0 ? nullptr : macro;
}

void FreeMacros() {
    // A macro the step engine is running goes with the list, and so do its
    // wait, delay and retries: they must not hold up the next macro.
    g_macroState.running = nullptr;
    g_macroState.isRunning = FALSE;
    g_macroState.nextAction = 0;
    g_macroState.retryCounter = 0;
    g_macroState.waitCounter = 0;
    g_macroState.delayActive = FALSE;
    while (g_macroList) {
        CMacro* macro = g_macroList;
        g_macroList = macro->next;
        for (CMacroAction& a : macro->actions) delete[] a.text;
        delete macro;
    }
    g_macroCount = 0;
    for (int i = 0; i < g_keyNameCount; ++i) {
        delete[] g_keyNames[i];
        g_keyNames[i] = nullptr;
    }
    g_keyNameCount = 0;
}

void FormatMacroAction(const CMacroAction& action, char* buffer, size_t size) {
    if (!buffer || size == 0) return;
    const int id = action.action;
    const int arg = action.argument;
    const char* name = id >= 0 && id < MACRO_ACTION_COUNT ? g_macroActionNames[id] : "NULL";
    const char* argument = "";
    if (TakesText(id)) {
        if (action.text) argument = action.text;
    } else if (id == MACRO_WALK) {
        if (arg >= 0 && arg < MACRO_DIRECTION_COUNT) argument = g_macroDirections[arg];
    } else if (IsWindowAction(id)) {
        if (arg >= 0 && arg < MACRO_WINDOW_COUNT) argument = g_macroWindows[arg];
    } else if (id == MACRO_USE_SKILL) {
        const char* skill = GetSkillName(arg);
        if (skill) argument = skill;
    } else if (id == MACRO_CAST_SPELL) {
        const char* spell = GetSpellTableName(arg);
        if (spell) argument = StripParenthesis(spell);
    } else if (id == MACRO_ARM_DISARM) {
        argument = arg == 1 ? "LeftHand" : "RightHand";
    }
    snprintf(buffer, size, "%s %s", name, argument);
}

void ParseMacroAction(const char* line, CMacroAction& action) {
    delete[] action.text;
    action = CMacroAction{};
    if (!line) return;

    // The first word, the next word and the rest of the line after the
    // first word with runs of blanks made single, each cut to a line.
    char first[TEXT_LINE_SIZE] = "";
    char second[TEXT_LINE_SIZE] = "";
    char rest[TEXT_LINE_SIZE] = "";
    size_t restLength = 0;
    int word = 0;
    for (const char* p = line; *p;) {
        while (*p == ' ') ++p;
        if (!*p) break;
        const char* start = p;
        while (*p && *p != ' ') ++p;
        size_t n = static_cast<size_t>(p - start);
        if (word == 0) {
            snprintf(first, sizeof first, "%.*s", static_cast<int>(n), start);
        } else {
            if (word == 1) snprintf(second, sizeof second, "%.*s", static_cast<int>(n), start);
            int written = snprintf(rest + restLength, sizeof rest - restLength, "%s%.*s",
                                   restLength ? " " : "", static_cast<int>(n), start);
            if (written > 0) restLength += static_cast<size_t>(written);
            if (restLength >= sizeof rest) restLength = sizeof rest - 1;
        }
        ++word;
    }

    int id = MACRO_NULL;
    for (int i = 1; i < MACRO_ACTION_COUNT; ++i)
        if (strcmp(first, g_macroActionNames[i]) == 0) id = i;
    action.action = id;

    if (TakesText(id)) {
        action.text = CopyText(rest);
    } else if (id == MACRO_WALK) {
        for (int i = 0; i < MACRO_DIRECTION_COUNT; ++i)
            if (strcmp(second, g_macroDirections[i]) == 0) action.argument = i;
    } else if (IsWindowAction(id)) {
        for (int i = 0; i < MACRO_WINDOW_COUNT; ++i)
            if (strcmp(second, g_macroWindows[i]) == 0) action.argument = i;
    } else if (id == MACRO_USE_SKILL) {
        for (int i = 0; i < GetSkillNameCount(); ++i) {
            const char* skill = GetSkillName(i);
            if (skill && strcmp(rest, skill) == 0) {
                action.argument = i;
                break;
            }
        }
    } else if (id == MACRO_CAST_SPELL) {
        for (int i = 0; i < SPELL_TABLE_SIZE; ++i) {
            const char* spell = GetSpellTableName(i);
            if (spell && strcmp(rest, StripParenthesis(spell)) == 0) {
                action.argument = i;
                break;
            }
        }
    } else if (id == MACRO_ARM_DISARM) {
        action.argument = strcasecmp(second, "LeftHand") == 0 ? 1 : 2;
    }
}

void CApp::LoadMacros() {
    FreeMacros();
    LoadKeyNames();

    FILE* f = FileManager::open("macros.txt", "rt");
    if (!f) return;
    CMacro** tail = &g_macroList;
    while (MoreToRead(f)) {
        char header[TEXT_LINE_SIZE];
        snprintf(header, sizeof header, "%s", ReadTextLine(f));
        if (header[0] == 0) continue;
        char name[TEXT_LINE_SIZE];
        int flags[3];
        M_DWORD keysym = 0;
        M_DWORD code = 0;
        if (ParseHeader(header, name, flags)) {
            code = LookUpKey(name, keysym);
        } else {
            TWReport::warning("CApp::LoadMacros: malformed macro header '%s' skipped.\n", header);
        }
        if (code == 0) {
            ReadBlock(f, [](const char*) {});
            continue;
        }
        CMacro* macro = new CMacro;
        macro->keyCode = code;
        macro->keySym = keysym | MACRO_KEYSYM_BIT;
        macro->control = flags[0] ? 1 : 0;
        macro->alt = flags[1] ? 1 : 0;
        macro->shift = flags[2] ? 1 : 0;
        *tail = macro;
        tail = &macro->next;
        ++g_macroCount;
        ReadBlock(f, [macro](const char* line) {
            if (macro->actionCount < MAX_MACRO_ACTIONS)
                ParseMacroAction(line, macro->actions[macro->actionCount++]);
        });
    }
    FileManager::close(f);
}

void CApp::SaveMacros() {
    // Written beside the file that was read (the working directory when none
    // was), through a temporary file renamed over it, so that a failed write
    // never costs the macros already saved.
    const char* actual = FileManager::getActualName("macros.txt");
    char target[FileManager::MAX_FILENAME_LENGTH];
    char temp[FileManager::MAX_FILENAME_LENGTH];
    snprintf(target, sizeof target, "%s", actual ? actual : "macros.txt");
    if (snprintf(temp, sizeof temp, "%s.new", target) >= static_cast<int>(sizeof temp)) {
        TWReport::error("CApp::SaveMacros: cannot open file 'macros.txt' for writing.\n");
        return;
    }
    FILE* f = fopen(temp, "wt");
    if (!f) {
        TWReport::error("CApp::SaveMacros: cannot open file 'macros.txt' for writing.\n");
        return;
    }
    for (CMacro* macro = g_macroList; macro; macro = macro->next) {
        const char* name = KeySymName(macro->keySym & ~MACRO_KEYSYM_BIT);
        if (!name) {
            TWReport::warning("CApp::SaveMacros: key 0x%x has no name; macro not saved.\n",
                              macro->keySym & ~MACRO_KEYSYM_BIT);
            continue;
        }
        fprintf(f, "%s %d %d %d\n", name, macro->control ? 1 : 0, macro->alt ? 1 : 0,
                macro->shift ? 1 : 0);
        M_DWORD count =
            macro->actionCount < MAX_MACRO_ACTIONS ? macro->actionCount : MAX_MACRO_ACTIONS;
        for (M_DWORD i = 0; i < count; ++i) {
            char line[TEXT_LINE_SIZE];
            FormatMacroAction(macro->actions[i], line, sizeof line);
            fprintf(f, "%s\n", line);
        }
        fputs("########\n", f);
    }
    bool failed = ferror(f) != 0;
    if (fclose(f) != 0) failed = true;
    if (failed || rename(temp, target) != 0) {
        TWReport::error("CApp::SaveMacros: writing 'macros.txt' failed.\n");
        unlink(temp);
    }
}
