#include "SampleShard.h"

#include <strings.h>

#include <cctype>
#include <fstream>
#include <utility>

#include "support/ServerMessage.h"
#include "support/datafiles/SampleWorld.h"

namespace sampleshard {

namespace {

namespace sample = tw::datafiles::sample;
using tw::test::LoginConfirm;
using tw::test::Msg;

constexpr M_DWORD kLoopback = ScriptedServer::address();
constexpr M_DWORD kRelayKey = 0x5A4D504C;
constexpr size_t kNameField = 30;

// The starting cities, each a flat place of the sample world (height 0).
struct City {
    const char* name;
    const char* area;
    int x;
    int y;
};
constexpr City kCities[] = {
    {"Crossroads", "The Walled House", sample::kCrossroads.x, sample::kCrossroads.y},
    {"Woodside", "The Campfire", sample::kByTheFire.x, sample::kByTheFire.y},
    {"Southfield", "The Two Chairs", sample::kChairs.x, sample::kChairs.y},
};
constexpr int kCityCount = static_cast<int>(sizeof kCities / sizeof kCities[0]);

// A NUL-padded text field of a client message, cut at the field's end or
// the message's end.
std::string Field(const Bytes& message, size_t offset, size_t width) {
    std::string text;
    for (size_t i = offset; i < offset + width && i < message.size() && message[i]; ++i)
        text.push_back(static_cast<char>(message[i]));
    return text;
}

// 0x78: a mobile with what it wears (graphic, layer, hue; hue 0 unhued).
struct Worn {
    M_DWORD serial;
    M_WORD graphic;
    M_BYTE layer;
    M_WORD hue;
};
Bytes MobileEnters(M_DWORD serial, int body, int x, int y, int direction, int hue,
                   std::initializer_list<Worn> worn) {
    Msg m(0x78);
    m.u32(serial).u16(body).u16(x).u16(y).u8(0).u8(direction).u16(hue).u8(0).u8(1);
    for (const Worn& w : worn) {
        m.u32(w.serial).u16(w.hue ? w.graphic | 0x8000 : w.graphic).u8(w.layer);
        if (w.hue) m.u16(w.hue);
    }
    m.u32(0);
    return m;
}

// 0x1C from a mobile: said aloud in the normal font.
Bytes Say(M_DWORD serial, int body, const std::string& name, const std::string& text) {
    Msg m(0x1C);
    m.u32(serial).u16(body).u8(0).u16(0x3B2).u16(3).text(name, kNameField);
    m.text(text, text.size() + 1);
    return m;
}

}  // namespace

SampleShard::SampleShard(std::string account) : account_(std::move(account)) {
    login_.On(0x80, [this](const Bytes& m) { return AnswerLogin(m); });
    login_.On(0xA0, [this](const Bytes&) { return AnswerRelay(); });
    game_.On(0x91, [](const Bytes&) { return AnswerGameLogin(); });
    game_.On(0x5D, [this](const Bytes& m) { return EnterAs(Field(m, 5, kNameField), 0); });
    game_.On(0x00, [this](const Bytes& m) {
        return EnterAs(Field(m, 10, kNameField), m.size() > 91 ? m[91] : 0);
    });
    game_.On(0x02, [](const Bytes& m) { return AnswerStep(m); });
    auto speech = [this](const Bytes& m) {
        std::string name;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            name = playerName_;
        }
        return AnswerSpeech(m, name);
    };
    game_.On(0xAD, speech);
    game_.On(0x03, speech);
}

std::vector<Bytes> SampleShard::AnswerLogin(const Bytes& message) const {
    const std::string name = Field(message, 1, kNameField);
    if (name.empty() || (!account_.empty() && strcasecmp(name.c_str(), account_.c_str()) != 0))
        return {Msg(0x82).u8(0)};
    Msg shards(0xA8);
    shards.u8(0).u16(1);
    shards.u16(1).text(kShardName, 32).u8(0).u8(0).u32(kLoopback);
    return {shards};
}

std::vector<Bytes> SampleShard::AnswerRelay() const {
    return {Msg(0x8C).u32(kLoopback).u16(game_.port()).u32(kRelayKey)};
}

std::vector<Bytes> SampleShard::AnswerGameLogin() {
    Msg list(0xA9);
    list.u8(1).text(kCharacterName, kNameField).text("", kNameField);
    for (int k = 1; k < 5; ++k) list.text("", 2 * kNameField);
    list.u8(kCityCount);
    for (int j = 0; j < kCityCount; ++j)
        list.u8(j).text(kCities[j].name, 31).text(kCities[j].area, 31);
    return {list};
}

std::vector<Bytes> SampleShard::EnterAs(std::string name, int city) {
    std::lock_guard<std::mutex> lock(mutex_);
    playerName_ = name.empty() ? kCharacterName : std::move(name);
    return EnterWorld(city);
}

std::vector<Bytes> SampleShard::EnterWorld(int city) {
    const City& c = kCities[city >= 0 && city < kCityCount ? city : 0];
    const int x = c.x, y = c.y;
    constexpr int kEast = 2;
    std::vector<Bytes> out;
    out.push_back(LoginConfirm(kPlayerSerial, sample::kMaleBody, static_cast<M_WORD>(x),
                               static_cast<M_WORD>(y), 0, kEast));
    out.push_back(Msg(0x20)
                      .u32(kPlayerSerial)
                      .u16(sample::kMaleBody)
                      .u8(0)
                      .u16(0)
                      .u8(0)
                      .u16(x)
                      .u16(y)
                      .u16(0)
                      .u8(kEast)
                      .u8(0));
    out.push_back(MobileEnters(kPlayerSerial, sample::kMaleBody, x, y, kEast, 0,
                               {{kWornBase, sample::kHair, 11, 0},
                                {kWornBase + 1, sample::kShirt, 5, 38},
                                {kWornBase + 2, sample::kPants, 4, 0}}));
    // A guard on the road, a traveller and a beast nearby, a crate and a
    // barrel at hand.
    out.push_back(MobileEnters(kGuardSerial, sample::kMaleBody, x - 2, y - 2, 3, 2186,
                               {{kWornBase + 0x10, sample::kHair, 11, 0},
                                {kWornBase + 0x11, sample::kShirt, 5, 0},
                                {kWornBase + 0x12, sample::kPants, 4, 0}}));
    out.push_back(MobileEnters(kTravellerSerial, sample::kFemaleBody, x + 1, y - 3, 4, 2176,
                               {{kWornBase + 0x20, sample::kHair, 11, 0},
                                {kWornBase + 0x21, sample::kShirt, 5, 2250},
                                {kWornBase + 0x22, sample::kPants, 4, 0}}));
    out.push_back(MobileEnters(kBeastSerial, sample::kCreatureBody, x - 4, y + 2, 1, 2250, {}));
    out.push_back(Msg(0x1A).u32(kCrateSerial).u16(sample::kCrate).u16(x - 1).u16(y + 1).u8(0));
    out.push_back(Msg(0x1A).u32(kBarrelSerial).u16(sample::kBarrel).u16(x - 2).u16(y + 1).u8(0));
    out.push_back(Msg(0x55));
    return out;
}

std::vector<Bytes> SampleShard::AnswerStep(const Bytes& message) {
    if (message.size() < 3) return {};
    // Every step is taken: the shard keeps no map of its own.
    constexpr M_BYTE kInnocent = 1;
    return {Msg(0x22).u8(message[2]).u8(kInnocent)};
}

std::vector<Bytes> SampleShard::AnswerSpeech(const Bytes& message, const std::string& name) {
    // 0xAD: 3 mode, 4 hue, 6 font, 8 language[4], 12 UTF-16 text;
    // 0x03: 3 mode, 4 hue, 6 font, 8 8-bit text.
    std::vector<M_WORD> units;
    M_BYTE mode = 0;
    M_WORD hue = 0x3B2, font = 3;
    if (message.size() >= 8) {
        mode = message[3];
        hue = static_cast<M_WORD>(message[4] << 8 | message[5]);
        font = static_cast<M_WORD>(message[6] << 8 | message[7]);
    }
    if (message[0] == 0xAD) {
        for (size_t i = 12; i + 1 < message.size(); i += 2) {
            const M_WORD unit = static_cast<M_WORD>(message[i] << 8 | message[i + 1]);
            if (unit == 0) break;
            units.push_back(unit);
        }
    } else {
        for (size_t i = 8; i < message.size() && message[i]; ++i) units.push_back(message[i]);
    }
    if (units.empty()) return {};
    std::vector<Bytes> out;
    if (message[0] == 0xAD) {
        Msg echo(0xAE);
        echo.u32(kPlayerSerial).u16(sample::kMaleBody).u8(mode).u16(hue).u16(font);
        echo.text("ENU", 4).text(name, kNameField);
        for (M_WORD unit : units) echo.u16(unit);
        echo.u16(0);
        out.push_back(echo);
    } else {
        std::string text;
        for (M_WORD unit : units) text.push_back(static_cast<char>(unit));
        Msg echo(0x1C);
        echo.u32(kPlayerSerial).u16(sample::kMaleBody).u8(mode).u16(hue).u16(font);
        echo.text(name, kNameField).text(text, text.size() + 1);
        out.push_back(echo);
    }
    out.push_back(Say(kGuardSerial, sample::kMaleBody, kGuardName, "Well said, " + name + "."));
    return out;
}

bool SampleShard::LogNewMessages(FILE* log) {
    bool any = false;
    const std::vector<Bytes> login = login_.Received();
    for (; loggedLogin_ < login.size(); ++loggedLogin_, any = true)
        fprintf(log, "%s\n", DescribeMessage("login", login[loggedLogin_]).c_str());
    const std::vector<Bytes> game = game_.Received();
    for (; loggedGame_ < game.size(); ++loggedGame_, any = true)
        fprintf(log, "%s\n", DescribeMessage("game", game[loggedGame_]).c_str());
    if (any) fflush(log);
    return any;
}

std::string DescribeMessage(const char* server, const Bytes& message) {
    char head[64];
    snprintf(head, sizeof head, "%s 0x%02X %zu bytes:", server, message.empty() ? 0 : message[0],
             message.size());
    std::string line = head;
    for (size_t i = 0; i < message.size(); ++i) {
        // The account login's password field (offsets 31-60) is not written.
        const bool secret = message[0] == 0x80 && i >= 31 && i < 61;
        char hex[4];
        snprintf(hex, sizeof hex, " %02x", secret ? 0 : message[i]);
        line += secret ? " **" : hex;
    }
    return line;
}

std::string ConfiguredAccount(const std::string& dir) {
    std::ifstream in(dir + "/tw.cfg");
    std::string line, account;
    // The last AcctID line wins, as in the client's reader.
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == ';' || eq == std::string::npos) continue;
        if (strcasecmp(line.substr(0, eq).c_str(), "AcctID") != 0) continue;
        account = line.substr(eq + 1);
        while (!account.empty() && (account.back() == '\r' || account.back() == '\t'))
            account.pop_back();
    }
    return account;
}

}  // namespace sampleshard
