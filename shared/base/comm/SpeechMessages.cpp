// The server's 8-bit speech (0x1C) and its numbered texts (0xC1).
//
// 0x1C, after the 3-byte header:
//   3 u32 speaker serial (0xFFFFFFFF the system)   7 u16 graphic
//   9 u8 speech type   10 u16 hue   12 u16 font   14 char[30] name
//   44 text, NUL-terminated, up to the end of the message
// 0xC1, after the 3-byte header:
//   3 u32 serial   7 u16 graphic   9 u8 type   10 u16 hue   12 u16 font
//   14 u32 text number   18 char[30] name (nothing after it is read)
// Names and texts are cut at the end of their field or of the message,
// whether or not a terminator comes first.
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "Service.h"
#include "comm/AppSpeech.h"
#include "comm/SpeechPackets.h"
#include "comm/UnicodeSpeech.h"
#include "comm/WordFilter.h"
#include "config/Config.h"
#include "gumps/TextManager.h"
#include "net/PacketManager.h"
#include "resources/GraphicManager.h"
#include "strings/LanguageManager.h"
#include "strings/LanguageSection.h"
#include "strings/USimStr.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/SpeakerRecord.h"

namespace {

constexpr M_DWORD kSystemSerial = 0xFFFFFFFF;
constexpr size_t kNameField = 30;
constexpr size_t kServerTextUnits = 1024;

std::string FixedText(ByteReader& r, size_t field) {
    char buffer[kNameField] = {};
    r.bytes(buffer, field);
    return std::string(buffer, strnlen(buffer, field));
}

// The rest of the message up to its first NUL.
std::string RestText(ByteReader& r) {
    const char* begin = reinterpret_cast<const char*>(r.here());
    return r.ok() ? std::string(begin, strnlen(begin, r.remaining())) : std::string();
}

void ShowSystemText(int hue, int font, const char* text) {
    TextManager::AddSystemMessage(hue, font, text);
}

void HandleSpeech(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    const int graphic = r.u16be();
    const int type = r.u8();
    const int hue = r.u16be();
    const int font = r.u16be();
    const std::string name = FixedText(r, kNameField);
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    std::string text = RestText(r);
    PacketManager::DisplaySpeech(serial, graphic, type, hue, font, name.c_str(), text.data());
}

// The text of a server text number, or the line that says why there is
// none.
std::vector<M_WORD> ServerText(M_DWORD number) {
    const bool second = number > 20000;
    const char* section = second ? "srvloc02" : "srvloc01";
    const long long line = static_cast<long long>(number) - (second ? 20000 : 10000);
    std::string error;
    const M_WORD* found = nullptr;
    if (line < 0) {
        error = "Error (TID): Line number less than zero.";
    } else {
        LanguageSection* loaded = LanguageManager::loadSection(
            section, LanguageManager::getUserLanguageCode(), section, FALSE, FALSE);
        USimStr* str = loaded && line <= INT_MAX ? loaded->getStr(static_cast<int>(line)) : nullptr;
        if (!str)
            error = "Error (TID): Null string.";
        else if (str->length() >= static_cast<int>(kServerTextUnits))
            error = "Error (TID): String too Long.";
        else
            found = str->c_str();
    }
    std::vector<M_WORD> text;
    if (found)
        for (const M_WORD* u = found; *u && text.size() + 1 < kServerTextUnits; ++u)
            text.push_back(*u);
    else
        text.assign(error.begin(), error.end());
    text.push_back(0);
    return text;
}

void HandleServerText(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    const int graphic = r.u16be();
    const int type = r.u8();
    const int hue = r.u16be();
    const int font = r.u16be();
    const M_DWORD number = r.u32be();
    const std::string name = FixedText(r, kNameField);
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    std::vector<M_WORD> text = ServerText(number);
    char language[4] = {};
    if (const char* code = LanguageManager::getUserLanguageCodeString()) strncpy(language, code, 3);
    ShowUnicodeSpeech(serial, graphic, type, hue, font, language, name.c_str(), text.data());
}

}  // namespace

void PacketManager::DisplaySpeech(M_DWORD serial, int /*graphic*/, int type, int hue, int font,
                                  const char* name, char* text) {
    if (!name || !text || GraphicManager::deathCounter != 0) return;
    if (ObscenityFilter) FilterProfanity(text);
    if (type == 1) {
        const std::string line = serial == kSystemSerial ? std::string("[System]: ") + text
                                                         : std::string(name) + ": " + text;
        return ShowSystemText(hue, font, line.c_str());
    }
    const bool over = type == 0 || (type >= 2 && type <= 4) || (type >= 6 && type <= 10);
    if (!over) return;  // 5 and 11 and above show nothing
    if (tw::Service<AppSpeech>::Get().IsSerialInList(static_cast<int>(serial))) return;
    CDynamicObj* object =
        type == 6 && serial == kSystemSerial ? nullptr : CObjectManager::FindObject(serial);
    if (!object) return ShowSystemText(hue, font, text);
    strncpy(g_speakerName, name, SPEAKER_NAME_SIZE - 1);
    g_speakerName[SPEAKER_NAME_SIZE - 1] = 0;
    g_speechKind = type == 6 ? SPEECH_KIND_OVER_OBJECT_IN_GUMP : SPEECH_KIND_OVER_OBJECT;
    if (type == 7)
        object->ReplaceOverheadText(text, hue, font, nullptr);
    else if (type == 6)
        object->AddOverheadText(text, hue, font, GraphicManager::FindOwnerGump(object), 0);
    else
        object->AddOverheadText(text, hue, font, nullptr, type == 10 ? 1 : 0);
}

void RegisterSpeechMessageHandlers() {
    PacketManager::SetHandler(0x1C, HandleSpeech);
    PacketManager::SetHandler(0xC1, HandleServerText);
}
