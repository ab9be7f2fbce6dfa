// Macros: a key with its Control, Alt and Shift state bound to up to 10
// actions (speak, walk, open a window, use a skill, target, arm a weapon...).
//
// "macros.txt", one block per macro:
//   F1 0 1 0            key's X keysym name, then Control, Alt, Shift (0/1)
//   Say hello there     one line per action: its name, a blank, its argument
//   Bow                 (actions without an argument end with the blank)
//   ########
// "keynames.txt": one key name per line, at most 89 lines.
//
// Lifetimes: the macro list and the key names live for the process (read at
// start-up and again when the login completes); the engine state is reset
// by CApp::ResetMacroState.  The list and the engine run on the main thread.
#pragma once

#include <cstddef>

#include "TWTypes.h"

constexpr int MAX_MACRO_ACTIONS = 10;
constexpr int MAX_KEY_NAMES = 89;
// Keysyms are stored with this bit set, as the event pump's extended keysym.
constexpr M_DWORD MACRO_KEYSYM_BIT = 0x40000000;

enum MacroActionId {
    MACRO_NULL = 0,
    MACRO_SAY,
    MACRO_EMOTE,
    MACRO_WHISPER,
    MACRO_YELL,
    MACRO_WALK,
    MACRO_WAR_PEACE,
    MACRO_PASTE,
    MACRO_OPEN,
    MACRO_CLOSE,
    MACRO_MINIMIZE,
    MACRO_MAXIMIZE,
    MACRO_OPEN_DOOR,
    MACRO_USE_SKILL,
    MACRO_LAST_SKILL,
    MACRO_CAST_SPELL,
    MACRO_LAST_SPELL,
    MACRO_LAST_OBJECT,
    MACRO_BOW,
    MACRO_SALUTE,
    MACRO_QUIT_GAME,
    MACRO_ALL_NAMES,
    MACRO_LAST_TARGET,
    MACRO_TARGET_SELF,
    MACRO_ARM_DISARM,
    MACRO_WAIT_FOR_TARGET,
    MACRO_TARGET_NEXT,
    MACRO_ATTACK_LAST,
    MACRO_DELAY,
    MACRO_CIRCLE_TRANS,
    MACRO_COMMAND,
    MACRO_CLOSE_GUMPS,
    MACRO_ACTION_COUNT  // 32 names, "NULL" included
};

// The windows that Open, Close, Minimize and Maximize name (argument 0-9).
enum MacroWindow {
    MACRO_WINDOW_CONFIGURATION = 0,
    MACRO_WINDOW_PAPERDOLL,
    MACRO_WINDOW_STATUS,
    MACRO_WINDOW_JOURNAL,
    MACRO_WINDOW_SKILLS,
    MACRO_WINDOW_SPELLBOOK,
    MACRO_WINDOW_CHAT,
    MACRO_WINDOW_BACKPACK,
    MACRO_WINDOW_OVERVIEW,
    MACRO_WINDOW_MAIL,
    MACRO_WINDOW_COUNT
};

constexpr int MACRO_DIRECTION_COUNT = 8;
constexpr int MACRO_SPELL_COUNT = 64;

extern const char* const g_macroActionNames[MACRO_ACTION_COUNT];
extern const char* const g_macroDirections[MACRO_DIRECTION_COUNT];
extern const char* const g_macroWindows[MACRO_WINDOW_COUNT];

struct CMacroAction {
    int action = 0;
    int argument = 0;
    char* text = nullptr;  // owned (new[]), or null
};

struct CMacro {
    M_DWORD keyCode = 0;  // virtual-key code by the event pump's tables
    M_DWORD keySym = 0;   // X keysym with bit 30 set
    M_DWORD control = 0;
    M_DWORD alt = 0;
    M_DWORD shift = 0;
    M_DWORD actionCount = 0;
    CMacroAction actions[MAX_MACRO_ACTIONS];
    CMacro* next = nullptr;
};

// The macros in file order, and how many there are.
extern CMacro* g_macroList;
extern int g_macroCount;
// The key names of "keynames.txt" (owned texts), entry 0 from the first line.
extern char* g_keyNames[MAX_KEY_NAMES];
extern int g_keyNameCount;

// The action's name, a blank and its argument, into buffer (always
// terminated, cut at size).  An argument that names nothing known adds
// nothing after the blank.
void FormatMacroAction(const CMacroAction& action, char* buffer, size_t size);
// Fills the slot from one action line; the slot's old text is freed.  An
// unknown action name leaves action 0.
void ParseMacroAction(const char* line, CMacroAction& action);
// Frees every macro (with its texts) and the key names.
void FreeMacros();
// The macro at a list index, or null.
CMacro* GetMacro(int index);

// The engine state that actions read and the tick advances.  Serials and
// indexes are -1 for none.
struct MacroEngineState {
    CMacro* running = nullptr;  // the macro the step engine runs
    int nextAction = 0;
    BOOL isRunning = FALSE;
    BOOL delayActive = FALSE;
    int delayLength = 0;
    int delayCounter = 0;
    int waitCounter = 0;  // wait-for-target: 0 = not waiting
    int retryCounter = 0;
    int lastObject = -1;
    int lastSkill = -1;
    int lastTargetNext = -1;  // the mobile TargetNext chose last
    // The weapon remembered per hand (index 1 left, 2 right); 0 for none.
    int armedSerial[3] = {0, 0, 0};
};
extern MacroEngineState g_macroState;
// The spell last cast from a spellbook or a spell icon (0-63), -1 for none.
extern int LastSpellCast;
