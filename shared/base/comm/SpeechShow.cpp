// Showing Unicode speech: over its speaker, or as system text.
#include <cstring>
#include <string>

#include "Service.h"
#include "comm/AppSpeech.h"
#include "comm/UnicodeBarkGump.h"
#include "comm/UnicodeSpeech.h"
#include "comm/WordFilter.h"
#include "config/Config.h"
#include "resources/GraphicManager.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

namespace {

BOOL g_serverFeatureFlag = FALSE;

constexpr M_DWORD kNoSerial = 0xFFFFFFFF;

// The 8-bit word filter sees the text with every unit of 128 or more as a
// blank; what it changes goes back into the units below 128.  Then the
// 16-bit filter runs over the whole text.
void FilterText(M_WORD* text) {
    std::string bytes;
    for (const M_WORD* u = text; *u; ++u) bytes.push_back(*u < 128 ? static_cast<char>(*u) : ' ');
    FilterProfanity(bytes.data());
    for (size_t i = 0; i < bytes.size() && text[i]; ++i) {
        const M_WORD changed = static_cast<unsigned char>(bytes[i]);
        if (text[i] < 128 && changed != text[i]) text[i] = changed;
    }
    FilterProfanityUnicode(text);
}

void SetSpeaker(const char* name, M_BYTE kind) {
    strncpy(g_speakerName, name, SPEAKER_NAME_SIZE - 1);
    g_speakerName[SPEAKER_NAME_SIZE - 1] = 0;
    g_speechKind = kind;
}

}  // namespace

void ShowUnicodeSpeech(M_DWORD serial, int /*graphic*/, int type, int hue, int font,
                       const char* language, const char* name, M_WORD* text) {
    if (!name || !text || GraphicManager::deathCounter != 0) return;
    if (ObscenityFilter) FilterText(text);
    switch (type) {
        case 0:
        case 2:
        case 3:
        case 4:
        case 6:
        case 7:
        case 8:
        case 9:
            break;
        default:
            return;  // 1, 5 and 10 and above show nothing
    }
    // The ignore list silences a speaker wherever the text would appear.
    if (tw::Service<AppSpeech>::Get().IsSerialInList(static_cast<int>(serial))) return;
    // A type-6 line from the system never names an object.
    CDynamicObj* object =
        type == 6 && serial == kNoSerial ? nullptr : CObjectManager::FindObject(serial);
    if (!object) {
        UnicodeAddSystemMessage(hue, font, text, language);
        return;
    }
    SetSpeaker(name, type == 6 ? SPEECH_KIND_OVER_OBJECT_IN_GUMP : SPEECH_KIND_OVER_OBJECT);
    if (type == 7)
        object->ClearOverheadText();
    else
        object->ArrangeOverheadText();
    CGump* holder = type == 6 ? GraphicManager::FindOwnerGump(object) : nullptr;
    CUnicodeBarkGump::Show(object, text, hue, font, language, holder);
}

void UnicodeAddSystemMessage(int hue, int font, const M_WORD* text, const char* language) {
    g_speechKind = SPEECH_KIND_SYSTEM;
    CUnicodeBarkGump::Show(nullptr, text, hue, font, language, nullptr);
}

void SetServerFeatureFlag(BOOL value) {
    g_serverFeatureFlag = value;
}

BOOL GetServerFeatureFlag() {
    return g_serverFeatureFlag;
}

void ResetUnicodeSpeechForTests() {
    memset(g_speakerName, 0, sizeof g_speakerName);
    g_speechKind = 0;
    g_serverFeatureFlag = FALSE;
}
