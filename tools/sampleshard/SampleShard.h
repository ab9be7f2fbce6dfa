// SampleShard: a login server and a game server on 127.0.0.1 that take a
// client from the account login into the sample world that mkinstall
// writes, for ./run.sh and the end-to-end test.
//
// Both are the scripted loopback servers of the tests; this class only
// gives them their rules:
//   login 0x80  the account -> 0xA8 one shard, or 0x82 when refused
//   login 0xA0  the shard   -> 0x8C relay to the game server
//   game  0x91  relay key   -> 0xA9 one character and the cities
//   game  0x5D  play / 0x00 create -> the player in the world (0x1B, 0x20,
//               0x78 dressed), mobiles and items around (0x78, 0x1A), 0x55
//   game  0x02  a step      -> 0x22 acknowledged
//   game  0xAD  / 0x03 speech -> echoed to the speaker; a guard answers
// The account is the one that "tw.cfg" names (AcctID); an installation that
// names none takes any account.  Passwords are not checked.
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "support/ScriptedServer.h"

namespace sampleshard {

using tw::test::Bytes;
using tw::test::ScriptedServer;

// The sample world's people and things.
constexpr M_DWORD kPlayerSerial = 0x00001000;
constexpr M_DWORD kGuardSerial = 0x00000050;
constexpr M_DWORD kTravellerSerial = 0x00000051;
constexpr M_DWORD kBeastSerial = 0x00000052;
constexpr M_DWORD kCrateSerial = 0x40000060;
constexpr M_DWORD kBarrelSerial = 0x40000061;
constexpr M_DWORD kWornBase = 0x40000100;
constexpr const char* kCharacterName = "Wanderer";
constexpr const char* kShardName = "Sample Shard";
constexpr const char* kGuardName = "Guard Oswin";

class SampleShard {
public:
    // account: the one account taken; empty takes any.
    explicit SampleShard(std::string account);

    M_WORD loginPort() const { return login_.port(); }
    M_WORD gamePort() const { return game_.port(); }

    // Writes the messages received since the last call, one line each, to
    // log; false when nothing new came.
    bool LogNewMessages(FILE* log);

    // The messages that answer one client message (for the rules and for
    // the shard's own tests).
    std::vector<Bytes> AnswerLogin(const Bytes& message) const;
    std::vector<Bytes> AnswerRelay() const;
    static std::vector<Bytes> AnswerGameLogin();
    static std::vector<Bytes> EnterWorld(int city);
    static std::vector<Bytes> AnswerStep(const Bytes& message);
    static std::vector<Bytes> AnswerSpeech(const Bytes& message, const std::string& name);

private:
    // The played or created character enters under name (empty: the
    // sample character's), which the speech echo uses.
    std::vector<Bytes> EnterAs(std::string name, int city);

    std::string account_;
    ScriptedServer game_{ScriptedServer::kGame};
    ScriptedServer login_{ScriptedServer::kLogin};
    std::mutex mutex_;
    std::string playerName_ = kCharacterName;  // guarded by mutex_
    size_t loggedLogin_ = 0;
    size_t loggedGame_ = 0;
};

// One log line for a client message: the server, the id, the length and the
// bytes in hex (the password of an account login blanked).
std::string DescribeMessage(const char* server, const Bytes& message);

// The account name that "tw.cfg" in dir names (AcctID), or empty.
std::string ConfiguredAccount(const std::string& dir);

}  // namespace sampleshard
