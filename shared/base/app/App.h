// CApp: the client's application-wide state and the small operations that
// belong to no single manager.  A static class, never instantiated.
//
// Lifetimes: the settings, paths, speech hues, word and ignore lists live for
// the process (CApp::startup fills them once); the login-server lists, the
// chosen server and the connected and in-world flags live for a connection;
// the speech queue and the targeting request live until they are served.
//
// The app folder also holds the version manager and the song list; the
// configuration keys, the login-server lists and the shared line reader and
// colour helpers are the configuration's (config/).  The frame tick
// (FrameTick) and the macros are built in files of their own.
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "strings/List.h"
#include "strings/TextBuffer.h"
#include "strings/USimStr.h"

// One line of speech held back by the spam throttle.
struct CQueuedSay {
    int kind = 0;      // 0 = 8-bit text, otherwise 16-bit
    USimStr wideText;  // the 16-bit text
    CTextBuffer text;  // the 8-bit text
    int a = 0;         // passed on to the speech sender as given
    int b = 0;
};

// One entry of the ignore list: whose speech and trade requests are dropped.
struct IgnoreEntry {
    char name[31];  // 30 bytes on file, always terminated here
    M_DWORD serial;
};

class CDrawItem;
struct PDSTRUCT;
struct PDSTRUCT_CREATE_CHAR;

// Chooses the server of the next connection (the backup list when backup is
// non-zero): the edit server when one is set, else the list's current slot,
// resolved when it holds a host name.  Clears the in-world flag and the
// connection's game modes; a list without a current index sets the quit
// flag.
void ChooseServer(int backup);

struct CMacro;

class CApp {
public:
    static constexpr int MAX_WORDS = 80;
    static constexpr int WORD_LENGTH = 30;  // units per entry, terminator included
    static constexpr int MAX_IGNORED = 20;
    static constexpr int CHAR_SLOTS = 5;

    static void startup();
    static void shutdown();
    // Creates the player object (pPlayerObject) with the player serial.
    static void LoadPlayerFile();
    // Reads "keynames.txt" and "macros.txt".
    static void LoadMacros();
    // The word list ("twbscene.lst") and the ignore list ("ignore.lst").
    static void LoadWordLists();
    // 0 = word list, 1 = ignore list; other values do nothing.
    static void SaveWordLists(int which);
    static BOOL IsSerialInList(int serial);
    // The saved speech and emote hues per character slot ("chardata.mul").
    static void LoadCharData();
    static void SaveCharData();

    // The first search path that holds the file, as a full path; fatal when
    // none does.  The result is overwritten by the next call.
    static char* get_HDpath(const char* name);
    // The CD data directory and the name; overwritten by the next call.
    static char* get_CDpath(const char* name);
    static const char* GetDefaultDataDir();
    static void OutOfMemory();

    // The frame tick: the client's one periodic step.
    static void FrameTick(int skipDraw);

    // The keyboard character handler and the mouse entry points that the
    // queued input events reach.
    static void OnChar(int code);
    static void OnLButtonDown(short x, short y);
    static void OnLButtonUp(short x, short y);
    static void OnRButtonDown(short x, short y);
    static void OnRButtonUp(short x, short y);
    static void OnMouseMove(short x, short y);
    // Hands every queued input event (InputEvents.h) to the key path, the
    // mouse entry points, the window's resize or the quit flag, oldest
    // first; the main loop calls it right after the event pump.
    static void DispatchInputEvents();

    // Clears the play-area rectangle of the back buffer from the ring start;
    // ClearBackBuffer clears all of it.
    static void ClearScreen();
    static void ClearBackBuffer();
    // With FrameCounter on, redraws the speech line in the speech hue and font.
    static void RedrawInputLine();

    // Forgets the world on logout and on login confirmation: light words,
    // the player's reset state, the ring start and view offset, every world
    // object, the map view and the walk queue.
    static void ResetWorldState();

    // Targeting for macros and object use.  Kind 0 completes at once; kinds
    // 1 (a location) and 2 (a mobile) turn the target cursor on and leave
    // targetCallback for the play area to call with the object picked (or
    // null).  Completion sends the command as a text command (type 47 with a
    // number, else 39) and ends targeting: flag clear, cursor 17.
    // SetTargetCursor turns the cursor on for any target request.
    using TargetCallback = void (*)(CDrawItem* picked);
    static void BeginTarget(const char* command, int kind, int number);
    static void CompleteTarget(CDrawItem* picked);
    static void EndTarget();
    static void SetTargetCursor();
    static TargetCallback targetCallback;
    // Sends one text command (message 0x12) of that type.
    static void SendTextCommand(unsigned char type, const char* text);

    // Connects to a login server: tries the login servers from a random one
    // on, each once, then the backup servers.  1 when connected, 0 when
    // every server failed.
    static int ConnectToServer();
    // The connected flag: set while connecting and after a successful
    // connection; a lost connection is shown only while it is set.
    static BOOL IsConnected();
    // The server that ChooseServer chose: IPv4 address in host order, port.
    static M_DWORD GetChosenAddress();
    static M_WORD GetChosenPort();
    // Hands a built packet to the game connection; FALSE without one or when
    // it was refused.
    static BOOL WriteToGame(PDSTRUCT* packet);

    // 1 = war, 0 = peace, -1 = toggle.
    static void SetWarMode(int mode);
    // The server's answer to a war-mode request.
    static void ApplyWarMode(int mode);
    // The war mode last requested and not yet confirmed (-1: none), and the
    // player's own war flag.
    static int WarModeRequest();
    static BOOL PlayerAtWar();

    // Macros (app/Macros.h).  RunMacro runs every action of the macro at
    // that list index at once; StartMacro hands it to the step engine, which
    // MacroTick advances by one action per frame tick (only clearing the
    // wait and the delay when a macro already runs).  ExecuteMacro performs
    // one action and is FALSE only when "LastTarget" finds no target cursor.
    static void RunMacro(int index);
    static void StartMacro(int index);
    static void MacroTick();
    static BOOL ExecuteMacro(CMacro* macro, int index);
    // Clears the engine and forgets the last object, skill, spell and the
    // mobile TargetNext chose.
    static void ResetMacroState();
    // Writes the macro list to "macros.txt"; a failure is logged.
    static void SaveMacros();

    // The speech throttle.  Senders ask SpeechAllowed; after sending they add
    // the line's length; a line that may not go yet is announced with
    // QueueSpamSpeech and held back with AddQueuedSay (or a 16-bit record in
    // queuedSpeech).  UpdateSpeechQueue is the frame tick's step: the counter
    // decays by SpamLimit per second and held-back lines go out while it
    // stays below the limit.
    static BOOL SpeechAllowed();
    static void AddSpeechSpam(int amount);
    static void AddQueuedSay(const char* text, int a, int b);
    static void QueueSpamSpeech();
    static void UpdateSpeechQueue();

    // 1 = not allowed as a character name.
    static int IsBadName(const char* name);

    // Applies every line of a configuration file; the login-server keys are
    // skipped with skipLoginServers (ReadConfigFile of config/Config.h).
    static void readConfig(const char* fileName, BOOL skipLoginServers);

    // Process state.
    static BOOL started;
    static char hdDirectory[384];  // working directory at start-up, with "/"
    static M_DWORD framePeriod;    // ms between ticks of the main loop
    static M_WORD speechHue, speechFont, emoteHue, emoteFont;
    static M_WORD savedSpeechHues[CHAR_SLOTS], savedEmoteHues[CHAR_SLOTS];
    static M_WORD wordList[MAX_WORDS][WORD_LENGTH];
    static int wordCount;
    static IgnoreEntry ignoreList[MAX_IGNORED];
    static int ignoreCount;
    // The game clock that the frame tick advances: hour 0-23, minute 0-59,
    // seconds count 0-19 (a game minute lasts 20 real seconds).
    static int gameHour, gameMinute, gameSeconds;

    // The speech throttle: the counter (never below 0), the time of its last
    // decay on the GetTimeMs scale, and the lines held back.
    static int spamCounter;
    static M_DWORD spamClock;
    static CList<CQueuedSay> queuedSpeech;

    // The login requests: each opens the waiting gump with its text and
    // writes its message to the game connection.  A connection that is not
    // open gets nothing, and the request answers FALSE.  The account and
    // password are kept (30 characters each) for the game server's login.
    static BOOL SendAcctLogin(char* account, char* password, unsigned char flag);
    static BOOL SendPlayChar(char* name, char* password, int slot);
    static BOOL SendCreateChar();

    // What the character-creation gumps fill in for the create request
    // (net/PacketManager.h); start-up clears its skills and their values.
    static PDSTRUCT_CREATE_CHAR createChar;

    // The serial the player object is created with (0 at start-up).
    static M_DWORD playerSerial;
    // The three further values sent with every war-mode request.
    static int warModeExtra[3];
    // The war mode last requested and not yet answered, -1 for none.
    static int warModeRequest;
    // A target cursor is up (the server's or a macro's).
    static BOOL targeting;
    // The kind of the target asked for: 1 a location, else an object.
    static int targetKind;

    // Connection state.
    static M_DWORD chosenAddress;  // host order; 0 = none
    static M_WORD chosenPort;
    static BOOL connected;
    // The player is in the world (set by the login confirmation, cleared by
    // ChooseServer).
    static BOOL inWorld;

    // Test support: every state back to its start value.
    static void reset();
};

BOOL IsBadNameChar(int c);
BOOL IsNameSeparator(int c);

// The file's size divided by the record size; 0 when it cannot be opened.
int NumRecsInFile(const char* name, int recordSize);
