#include "login/LoginRoad.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ByteReader.h"
#include "ErrorMessage.h"
#include "ProcessFlags.h"
#include "Random.h"
#include "TWReport.h"
#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/ConnectionEvents.h"
#include "net/Packet.h"
#include "net/PacketManager.h"

namespace {

// Copies a fixed field of width bytes into out (room for cut + 1), cut at
// its first NUL and at cut bytes, always terminated.
void CopyField(char* out, const M_BYTE* field, size_t width, size_t cut) {
    size_t n = 0;
    while (n < width && n < cut && field[n] != 0) ++n;
    memcpy(out, field, n);
    out[n] = 0;
}

}  // namespace

namespace login {

LoginRoadState g_road;

namespace {

constexpr int kUnsortedTimeZone = 50;

}  // namespace

void ResetLoginRoad() {
    memset(&g_road, 0, sizeof g_road);
}

int LocalTimeZone() {
    return -g_timeZoneMinutesWest / 60;
}

void RememberAccount(const char* account, const char* password) {
    // Going back to the shard list sends the stored account again: the
    // texts may be the stored ones, so they are copied through scratch.
    char a[sizeof g_road.account], p[sizeof g_road.password];
    snprintf(a, sizeof a, "%s", account ? account : "");
    snprintf(p, sizeof p, "%s", password ? password : "");
    memcpy(g_road.account, a, sizeof a);
    memcpy(g_road.password, p, sizeof p);
}

M_BYTE TimeZoneDistance(int timeZone, int localTimeZone) {
    int d = std::abs(timeZone - localTimeZone) & 0xFF;
    int w = (12 - timeZone < timeZone + 12) ? localTimeZone + (12 - timeZone) + 12
                                            : timeZone + 24 - localTimeZone;
    return static_cast<M_BYTE>(w < d ? w : d);
}

void SortShardOrder(const ShardEntry* shards, int count, int* order) {
    for (int i = 0; i < count; ++i) order[i] = i;
    for (int p = 0; p + 1 < count; ++p) {
        int best = -1;
        for (int q = p; q < count; ++q) {
            const ShardEntry& s = shards[order[q]];
            if (s.timeZone == kUnsortedTimeZone) continue;
            if (best < 0 || s.distance < shards[order[best]].distance) best = q;
        }
        if (best >= 0 && best != p) {
            int t = order[p];
            order[p] = order[best];
            order[best] = t;
        }
    }
}

}  // namespace login

using login::g_road;

namespace {

LoginScreens& Screens() {
    return tw::Service<LoginScreens>::Get();
}

const char* const kServersDown =
    "The Tarrowmere servers are currently down.  Please try again in a few moments.";
const char* const kCouldNotAttach =
    "The client could not attach to the game server. It must have been taken down, please "
    "wait a few minutes and try again.";

void SaveNextLoginKey(M_BYTE key) {
    g_road.nextLoginKey = key;
    NextLoginKey = key;
    char text[8];
    snprintf(text, sizeof text, "%u", static_cast<unsigned>(key));
    saveConfigDirective(37, text);
}

void CloseGameConnection() {
    if (g_pGameSocket) g_pGameSocket->Close();
}

void ServersDown() {
    LoginScreens& screens = Screens();
    screens.Close(kLoginWaitingGump);
    if (!screens.IsOpen(kLoginAcctGump)) return;
    screens.SetInputEnabled(kLoginAcctGump, FALSE);
    screens.OpenBox(kServersDown, kLoginAcctGump, 0);
    net::Application().SetConnected(FALSE);
    CloseGameConnection();
}

// The shard list in the given order, as choices: unnamed shards as
// "Unknown Server", a negative low byte of the id as its negation in hue 995.
void ShowShards(const int* order, BOOL timeZoneList) {
    const int n = g_road.shardCount;
    ShardChoiceLine lines[login::kMaxShards];
    for (int i = 0; i < n; ++i) {
        const login::ShardEntry& s = g_road.shards[order[i]];
        const signed char low = static_cast<signed char>(s.id & 0xFF);
        if (!s.hasName)
            lines[i] = {s.id, "Unknown Server", 0};
        else if (low < 0)
            lines[i] = {static_cast<M_BYTE>(-low), s.name, 995};
        else
            lines[i] = {s.id, s.name, 0};
    }
    Screens().ShowShardChoice(lines, n, timeZoneList);
}

// The five character slots at the reader's position (name and password,
// 30 bytes each).  False when the message is too short for them.
struct Slots {
    login::CharacterSlot slot[login::kCharSlots];
};
bool ReadSlots(ByteReader& r, Slots& out) {
    for (auto& s : out.slot) {
        M_BYTE field[login::kCharField];
        if (!r.bytes(field, sizeof field)) return false;
        CopyField(s.name, field, sizeof field, login::kCharField);
        if (!r.bytes(field, sizeof field)) return false;
        CopyField(s.password, field, sizeof field, login::kCharField);
    }
    return true;
}

}  // namespace

// ---- 0x82: account login refused ----

void HandleLoginRefused(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const unsigned reason = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    const char* text = nullptr;
    int logout = 0;
    char blocked[256];
    switch (reason) {
    case 0:
        text = "Either the Account Name or Password you provided were incorrect.  If this is a new "
               "account your account may not be active yet.  Please try again shortly.";
        logout = 1;
        break;
    case 1: text = "Someone is already using this account."; break;
    case 2:
        snprintf(blocked, sizeof blocked,
                 "Your account has been blocked. Please visit %s for information on reactivating "
                 "your account.",
                 "https://www.tarrowmere.example/account");
        text = blocked;
        break;
    case 3:
        text = "Your account credentials are invalid. Check your user ID and password and try again.";
        break;
    case 254: break;
    default:
        text = "There is some problem communicating with Corvane. Please restart Tarrowmere and try "
               "again.";
        logout = 1;
        break;
    }
    LoginScreens& screens = Screens();
    screens.Close(kLoginWaitingGump);
    if (text)
        screens.OpenBox(text, kLoginAcctGump, logout);
    else
        screens.SetInputEnabled(kLoginShardChoiceGump, FALSE);
    screens.SetInputEnabled(kLoginAcctGump, TRUE);
}

// ---- 0xA8: the shard list ----

void HandleShardList(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_BYTE key = r.u8();
    const M_WORD countField = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    const int n = static_cast<signed char>(countField & 0xFF);
    if (n < 0) return PacketManager::DropPacket(packet, "negative shard count");
    if (!r.has(static_cast<size_t>(n) * 40))
        return PacketManager::DropPacket(packet, "shorter than its shard count");

    SaveNextLoginKey(key);
    if (n == 0) return ServersDown();

    g_road.shardCount = n;
    for (int i = 0; i < n; ++i) {
        login::ShardEntry& s = g_road.shards[i];
        s.id = r.u16be();
        M_BYTE name[32];
        r.bytes(name, sizeof name);
        CopyField(s.name, name, sizeof name, login::kShardNameLength);
        s.hasName = s.name[0] != 0;
        s.load = r.u8();
        s.timeZone = r.i8();
        s.address = r.u32be();
        s.distance = login::TimeZoneDistance(s.timeZone, login::LocalTimeZone());
    }
    LoginScreens& screens = Screens();
    screens.Close(kLoginWaitingGump | kLoginCharSelectGump);
    screens.SetInputEnabled(kLoginAcctGump, FALSE);
    int order[login::kMaxShards];
    login::SortShardOrder(g_road.shards, n, order);
    ShowShards(order, FALSE);
}

// ---- 0x8C: relay to the game server ----

void HandleRelay(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD address = r.u32be();
    const M_WORD port = r.u16be();
    const M_DWORD key = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    g_road.relayKey = key;
    LoginScreens& screens = Screens();

    if (address == 0) {
        screens.Close(kLoginWaitingGump);
        screens.OpenBox("The server you have selected is full, sorry for the inconvenience.  Please "
                        "use another server or try again later.",
                        kLoginAcctGump, 0);
        net::Application().SetConnected(FALSE);
        g_road.onGameServer = FALSE;
        CloseGameConnection();
        return;
    }
    screens.SetWindowTitle("Connecting...");

    // The same server is the one this connection is talking to: every
    // server of a test runs on the loopback address, so the local address
    // alone cannot tell them apart.
    CClientSock* current = g_pGameSocket;
    const bool same = current && current->Descriptor() != -1 &&
                      current->PeerAddress() == address && current->PeerPort() == port;
    if (!same) {
        CClientSock* next = new CClientSock();
        const M_DWORD savedSeed = g_connectSeed;
        g_connectSeed = key;
        BOOL connected = FALSE;
        for (int attempt = 0; attempt < 3 && !connected; ++attempt)
            connected = next->Connect(address, port);
        g_connectSeed = savedSeed;
        if (!connected) {
            TWReport::warning("HandleRelay: no connection to %u.%u.%u.%u:%u.\n", address >> 24,
                              (address >> 16) & 0xFF, (address >> 8) & 0xFF, address & 0xFF,
                              static_cast<unsigned>(port));
            delete next;
            screens.Close(kLoginWaitingGump);
            screens.OpenBox(kCouldNotAttach, kLoginAcctGump, 1);
            if (current) current->Close();
            ReplaceGameSocket(new CClientSock());
            net::Application().SetConnected(FALSE);
            g_road.frontEnd = TRUE;
            g_road.onGameServer = FALSE;
            return;
        }
        if (current) current->Close();
        ReplaceGameSocket(next);
    }
    CClientSock* sock = g_pGameSocket;
    sock->SetLoginStreamOff(TRUE);
    PDSTRUCT out;
    PacketManager::BuildGameLogin(&out, key, g_road.account, g_road.password);
    sock->Write(&out);
    g_road.onGameServer = TRUE;
    sock->SetGameMode(TRUE);
}

// ---- 0x53: error code ----

void HandleLoginError(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const unsigned code = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    LoginScreens& screens = Screens();
    screens.Close(kLoginSecondWaitingGump | kLoginWaitingGump | kLoginProfessionGump |
                  kLoginCharCreationGump | kLoginShardChoiceGump | kLoginCityMapGump);
    const bool list = screens.IsOpen(kLoginCharSelectGump);
    const LoginGumpKind parent = list ? kLoginCharSelectGump : kLoginNoGump;
    switch (code) {
    case 0:
        if (list)
            screens.OpenBox("Incorrect password.", kLoginCharSelectGump, 0);
        else
            screens.OpenBox("You entered an incorrect password.  Closing...", kLoginNoGump, 1);
        break;
    case 1:
        if (!list) {
            // Nothing to return to: the main loop ends, and the program
            // says it failed.
            ErrorMessage("Character does not exist.\n Closing...", "Access Denied!", FALSE);
            g_exitStatus = 1;
            g_quitFlag = 1;
            break;
        }
        if (g_road.selectedSlot >= 0 && g_road.selectedSlot < login::kCharSlots) {
            screens.RemoveCharacter(g_road.selectedSlot);
            g_road.characters[g_road.selectedSlot] = {};
        }
        if (g_road.selectedSlot > 0) --g_road.selectedSlot;
        screens.OpenBox("This character does not exist anymore.  You will have to recreate it.",
                        kLoginCharSelectGump, 0);
        break;
    case 2: screens.OpenBox("This character already exists.\nPlaying...", parent, 0); break;
    case 5:
        screens.Close(kLoginTutorialGump | kLoginCityMapGump);
        screens.OpenBox("Another character from this account is currently online in this world.  "
                        "You must either log in as that character or wait for it to time out.",
                        parent, 0);
        break;
    case 6:
        screens.OpenBox("An error has occurred in the synchronization between the login servers "
                        "and this world.  Please close your client and try again.",
                        parent, 0);
        break;
    case 7:
        screens.OpenBox("You have been idle for too long.  If you do not do anything in the next "
                        "minute, you will be logged out.",
                        parent, 0);
        break;
    default:
        screens.OpenBox(kCouldNotAttach, list ? kLoginCharSelectGump : kLoginAcctGump, 0);
        break;
    }
}

// ---- the character and city lists ----

namespace {

// Stores the slots in the tables and adds the named ones to the selection.
void StoreSlots(const Slots& slots) {
    LoginScreens& screens = Screens();
    for (int k = 0; k < login::kCharSlots; ++k) {
        g_road.characters[k] = slots.slot[k];
        if (slots.slot[k].name[0])
            screens.AddCharacter(slots.slot[k].name, slots.slot[k].password, k);
    }
}

bool HasCharacter(const Slots& slots) {
    for (const auto& s : slots.slot)
        if (s.name[0]) return true;
    return false;
}

struct CityRecord {
    int index;
    char name[login::kCityNameLength + 1];
    char area[login::kCityNameLength + 1];
};

// Reads count city records (index byte, name, area name).  Indices not
// less than the count fall back to the first city.
bool ReadCities(ByteReader& r, int count, CityRecord* out) {
    for (int j = 0; j < count; ++j) {
        int index = r.i8();
        M_BYTE field[31];
        r.bytes(field, sizeof field);
        CopyField(out[j].name, field, sizeof field, login::kCityNameLength);
        r.bytes(field, sizeof field);
        CopyField(out[j].area, field, sizeof field, login::kCityNameLength);
        if (!r.ok()) return false;
        if (index < 0 || index >= count) {
            TWReport::warning("login: city %d names index %d outside its %d cities.\n", j, index,
                              count);
            index = 0;
        }
        out[j].index = index;
    }
    return true;
}

void CityText(char* out, const CityRecord& c) {
    snprintf(out, sizeof g_road.cityText[0], "%s: %s", c.name, c.area);
}

// Group starts: a new group at each record whose name differs from the
// previous record's.  At most 20 groups; the count of records kept.
int CityGroups(const CityRecord* cities, int count, int* starts, int* groups) {
    *groups = 0;
    for (int j = 0; j < count; ++j) {
        if (j == 0 || strcmp(cities[j].name, cities[j - 1].name) != 0) {
            if (*groups == login::kMaxCityGroups) {
                TWReport::warning("login: more than %d city groups; the rest are left out.\n",
                                  login::kMaxCityGroups);
                return j;
            }
            starts[(*groups)++] = j;
        }
    }
    return count;
}

}  // namespace

void HandleAcctLoginOk(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_BYTE count = r.u8();
    const M_BYTE key = r.u8();
    Slots slots;
    if (!ReadSlots(r, slots)) return PacketManager::DropPacket(packet, "too short");
    const int shards = r.i8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    if (shards < 0) return PacketManager::DropPacket(packet, "negative shard count");
    struct {
        M_WORD id;
        char name[login::kShardNameLength + 1];
    } shardRecords[login::kMaxShards];
    for (int i = 0; i < shards; ++i) {
        shardRecords[i].id = static_cast<M_WORD>(static_cast<int16_t>(r.i8()));
        M_BYTE name[16];
        r.bytes(name, sizeof name);
        CopyField(shardRecords[i].name, name, sizeof name, login::kShardNameLength);
    }
    const int cities = r.i8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "shorter than its shard count");
    if (cities < 0) return PacketManager::DropPacket(packet, "negative city count");
    CityRecord records[login::kMaxCities];
    if (!ReadCities(r, cities, records))
        return PacketManager::DropPacket(packet, "shorter than its city count");

    LoginScreens& screens = Screens();
    const bool characterMode = EditServerAddress != 0 || g_road.onGameServer;
    const bool onGame = g_road.onGameServer;
    if (characterMode) {
        screens.NewCharacterList();
        g_road.characterCount = count;
    }
    if (!onGame) SaveNextLoginKey(key);
    if (characterMode) StoreSlots(slots);
    if (!characterMode && shards == 0) return ServersDown();
    if (!onGame && shards != 0) {
        g_road.shardCount = shards;
        for (int i = 0; i < shards; ++i) {
            login::ShardEntry& s = g_road.shards[i];
            s = {};
            s.id = shardRecords[i].id;
            strcpy(s.name, shardRecords[i].name);
            s.hasName = s.name[0] != 0;
        }
    }
    if (!onGame && cities != 0) {
        int starts[login::kMaxCityGroups];
        int groups = 0;
        const int kept = CityGroups(records, cities, starts, &groups);
        int taken[login::kMaxCityGroups];
        for (int g = 0; g < groups; ++g) taken[g] = g;
        int p = 0;
        for (int k = 0; k < groups; ++k) {
            const int left = groups - k;
            const int pick = RandomNumber(left);
            const int g = taken[pick];
            taken[pick] = taken[left - 1];
            const int end = g + 1 < groups ? starts[g + 1] : kept;
            for (int j = starts[g]; j < end; ++j, ++p) {
                CityText(g_road.cityText[p], records[j]);
                g_road.cityIndex[p] = j;
            }
        }
        g_road.cityCount = p;
    }
    screens.Close(kLoginWaitingGump | (characterMode ? 0u : kLoginCharSelectGump));
    screens.SetInputEnabled(kLoginAcctGump, FALSE);

    if (!characterMode) {
        int order[login::kMaxShards];
        for (int i = 0; i < shards; ++i) order[i] = i;
        const int n = g_road.shardCount;
        const char* first = g_road.shards[0].name;
        const size_t firstLength = strlen(first);
        if (n > 0 && firstLength > 0 && first[firstLength - 1] >= '0' &&
            first[firstLength - 1] <= '9') {
            for (int i = 0; i < n; ++i) {
                login::ShardEntry& s = g_road.shards[i];
                char* blank = strrchr(s.name, ' ');
                if (!blank) {
                    // No number to order by: the shard keeps its name and
                    // is left where the scan puts it.
                    s.timeZone = 50;
                    continue;
                }
                // A time zone is a signed byte in the shard list message;
                // a longer number is held to that range.
                long zone = strtol(blank + 1, nullptr, 10);
                s.timeZone = static_cast<int>(zone < -128 ? -128 : zone > 127 ? 127 : zone);
                *blank = 0;
                s.distance = login::TimeZoneDistance(s.timeZone, login::LocalTimeZone());
            }
            login::SortShardOrder(g_road.shards, n, order);
        }
        ShowShards(order, TRUE);
    } else {
        if (!HasCharacter(slots))
            screens.StartCharacterCreation();
        else
            screens.ShowCharacterList();
    }
    if (autoLogIn && screens.IsOpen(kLoginCharSelectGump)) screens.AcceptCharacterList();
}

void HandleCharsAndCities(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_BYTE count = r.u8();
    Slots slots;
    if (!ReadSlots(r, slots)) return PacketManager::DropPacket(packet, "too short");
    const int cities = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    CityRecord records[login::kMaxCities];
    if (!ReadCities(r, cities, records))
        return PacketManager::DropPacket(packet, "shorter than its city count");

    LoginScreens& screens = Screens();
    screens.NewCharacterList();
    g_road.characterCount = count;
    StoreSlots(slots);
    if (cities != 0) {
        memset(g_road.cityText, 0, sizeof g_road.cityText);
        for (int j = 0; j < cities; ++j) {
            g_road.cityIndex[j] = 0;
            if (!records[j].name[0]) continue;
            CityText(g_road.cityText[j], records[j]);
            g_road.cityIndex[j] = records[j].index;
        }
        g_road.cityCount = cities;
    }
    screens.Close(kLoginWaitingGump);
    screens.SetInputEnabled(kLoginAcctGump, FALSE);
    if (!HasCharacter(slots))
        screens.StartCharacterCreation();
    else
        screens.ShowCharacterList();
}

void HandleCharListUpdate(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_BYTE count = r.u8();
    Slots slots;
    if (!ReadSlots(r, slots)) return PacketManager::DropPacket(packet, "too short");
    LoginScreens& screens = Screens();
    if (!screens.IsOpen(kLoginCharSelectGump)) return;
    for (int k = 0; k < login::kCharSlots; ++k) {
        screens.RemoveCharacter(k);
        g_road.characters[k] = {};
    }
    g_road.characterCount = count;
    StoreSlots(slots);
    screens.Close(kLoginWaitingGump);
    screens.SetInputEnabled(kLoginCharSelectGump, TRUE);
    // The delete hid the selection; the new list shows it again.
    screens.ShowCharacterList();
}

void HandleDeleteCharFail(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const unsigned reason = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "too short");
    LoginScreens& screens = Screens();
    if (!screens.IsOpen(kLoginCharSelectGump)) return;
    static const char* const kTexts[] = {
        "That character password is invalid.",
        "That character does not exist.",
        "That character is being played right now.",
        ("That character is not old enough to delete. The character must be 7 days old before "
         "it can be deleted."),
        "That character is currently queued for backup and cannot be deleted.",
    };
    screens.Close(kLoginWaitingGump);
    screens.OpenBox(reason < 5 ? kTexts[reason] : "Couldn't carry out your request.",
                    kLoginCharSelectGump, 0);
}

int GetDirectionAngle(int x0, int y0, int x1, int y1) {
    const float angle = std::atan2(static_cast<float>(y1 - y0), static_cast<float>(x1 - x0));
    int direction = static_cast<int>(angle * 128.0f / 3.14152f) + 64;
    // atan2 runs from -pi to pi: the quarter turn added leaves the
    // north-west quadrant negative, and pi itself reaches 256.
    direction %= 256;
    if (direction < 0) direction += 256;
    return direction;
}

void InstallLoginHandlers() {
    login::ResetLoginRoad();
    PacketManager::SetHandler(0x82, HandleLoginRefused);
    PacketManager::SetHandler(0xA8, HandleShardList);
    PacketManager::SetHandler(0x8C, HandleRelay);
    PacketManager::SetHandler(0x53, HandleLoginError);
    PacketManager::SetHandler(0x81, HandleAcctLoginOk);
    PacketManager::SetHandler(0xA9, HandleCharsAndCities);
    PacketManager::SetHandler(0x86, HandleCharListUpdate);
    PacketManager::SetHandler(0x85, HandleDeleteCharFail);
}
