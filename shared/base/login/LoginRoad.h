// The login road: the messages that carry the client from the account login
// to the character selection (0x82, 0xA8, 0x8C, 0x53 from the login server
// and 0x81, 0xA9, 0x86, 0x85 with the characters and cities), the tables
// they fill and the handlers that the packet table calls.
//
// Every count and length is checked against the bytes that arrived: a
// message too short for what it announces is dropped whole (the tables keep
// their old contents), counts are clamped to what the tables hold, texts are
// cut to their fields and always terminated.
//
// The handlers change the login screens through LoginScreens below; the
// screens install it.  Tests install a recording double.
#pragma once

#include <cstddef>

#include "Service.h"
#include "TWTypes.h"

class PacketIn;

// The front-end gumps the login road closes, opens message boxes over or
// enables; each is one bit so that several close at once.
enum LoginGumpKind : unsigned {
    kLoginNoGump = 0,
    kLoginWaitingGump = 1u << 0,
    kLoginSecondWaitingGump = 1u << 1,
    kLoginAcctGump = 1u << 2,
    kLoginShardChoiceGump = 1u << 3,
    kLoginCharSelectGump = 1u << 4,
    kLoginProfessionGump = 1u << 5,
    kLoginCharCreationGump = 1u << 6,
    kLoginCityMapGump = 1u << 7,
    kLoginTutorialGump = 1u << 8,
};

// One line of a shard list, in the order shown.
struct ShardChoiceLine {
    int id;            // the choice id (0xA0 sends it back)
    const char* text;  // the shard's name, or "Unknown Server"
    int hue;           // 0, or 995 for a shard whose id's low byte is negative
};

class LoginScreens {
public:
    static constexpr const char* kServiceName = "LoginScreens.Road";
    virtual ~LoginScreens() = default;

    virtual BOOL IsOpen(LoginGumpKind gump) = 0;
    // Closes every open gump of the kinds in the mask and forgets it.
    virtual void Close(unsigned kinds) = 0;
    virtual void SetInputEnabled(LoginGumpKind gump, BOOL on) = 0;
    // A message box with one button over parent (none: kLoginNoGump); it
    // becomes the waiting gump.  The button enables the parent's input and
    // closes the box, or with logoutOnClose logs out to the main menu.
    virtual void OpenBox(const char* text, LoginGumpKind parent, int logoutOnClose) = 0;
    // The shard choice, in the given order.  timeZoneList: the list of the
    // account-accepted message with its time-zone heading; otherwise the
    // shard choice gump with the front-end buttons.
    virtual void ShowShardChoice(const ShardChoiceLine* lines, int count, BOOL timeZoneList) = 0;
    // The character selection: a new gump (it replaces an open one), its
    // characters added and removed by slot, put on screen, character
    // creation started in its place, its accept run (automatic login).
    virtual void NewCharacterList() = 0;
    virtual void AddCharacter(const char* name, const char* password, int slot) = 0;
    virtual void RemoveCharacter(int slot) = 0;
    virtual void ShowCharacterList() = 0;
    virtual void StartCharacterCreation() = 0;
    virtual void AcceptCharacterList() = 0;
    virtual void SetWindowTitle(const char* title) = 0;
    // A message box without a button (the wait of a request); it becomes
    // the waiting gump, replacing an open one.
    virtual void OpenWaiting(const char* text) = 0;
};

namespace login {

constexpr int kMaxShards = 127;  // the count is a signed byte
constexpr int kCharSlots = 5;
constexpr int kCharField = 30;  // name and password fields of a slot
constexpr int kShardNameLength = 15;
constexpr int kCityNameLength = 30;
constexpr int kMaxCities = 255;
constexpr int kMaxCityGroups = 20;

struct ShardEntry {
    char name[kShardNameLength + 1];
    bool hasName;
    M_WORD id;
    M_BYTE load;
    int timeZone;
    M_BYTE distance;
    M_DWORD address;
    M_WORD ping;  // milliseconds, after the shards were pinged
};

struct CharacterSlot {
    char name[kCharField + 1];
    char password[kCharField + 1];
};

struct LoginRoadState {
    ShardEntry shards[kMaxShards];
    int shardCount;
    CharacterSlot characters[kCharSlots];
    int characterCount;  // the count byte of the message
    int selectedSlot;
    char cityText[kMaxCities][2 * kCityNameLength + 3];
    int cityIndex[kMaxCities];
    int cityCount;
    M_BYTE nextLoginKey;
    M_DWORD relayKey;
    BOOL onGameServer;  // set while connected to a game server
    BOOL frontEnd;      // set while the login screens are shown
    // The account of the last account login, sent again to the game
    // server (0x91).  30 characters fit.
    char account[kCharField + 1];
    char password[kCharField + 1];
};

extern LoginRoadState g_road;

// The local time zone in hours east of Greenwich.
int LocalTimeZone();

// Empties the tables and flags (start-up, tests).
void ResetLoginRoad();

// Keeps the account name and password (each cut to 30 characters) for the
// game server's login.
void RememberAccount(const char* account, const char* password);

// The distance in hours between a shard's time zone and the local one.
M_BYTE TimeZoneDistance(int timeZone, int localTimeZone);
// Orders indices 0..count-1 by the selection scan: smallest distance first,
// the first found wins, time zone 50 never taken by the scan.
void SortShardOrder(const ShardEntry* shards, int count, int* order);

}  // namespace login

// The direction from (x0, y0) to (x1, y1) in 256ths of a turn, 0 = north,
// 64 = east; always 0-255.
int GetDirectionAngle(int x0, int y0, int x1, int y1);

// Registers the login road's handlers in the packet table.
void InstallLoginHandlers();
// The handlers (the packet table calls them through InstallLoginHandlers).
void HandleLoginRefused(const PacketIn& packet);   // 0x82
void HandleShardList(const PacketIn& packet);      // 0xA8
void HandleRelay(const PacketIn& packet);          // 0x8C
void HandleLoginError(const PacketIn& packet);     // 0x53
void HandleAcctLoginOk(const PacketIn& packet);    // 0x81
void HandleCharsAndCities(const PacketIn& packet); // 0xA9
void HandleCharListUpdate(const PacketIn& packet); // 0x86
void HandleDeleteCharFail(const PacketIn& packet); // 0x85
