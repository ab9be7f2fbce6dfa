// The speech input line: typing, the mode signs, Enter, walking and recall.
#include "comm/SpeechLine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "FrameBuf.h"
#include "Service.h"
#include "TWReport.h"
#include "comm/AppSpeech.h"
#include "comm/BarkGump.h"
#include "comm/CommServices.h"
#include "comm/InputGump.h"
#include "comm/UnicodeSpeech.h"
#include "config/Config.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/TextManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/ServerPrompt.h"
#include "resources/FontManager.h"
#include "resources/UnicodeFont.h"
#include "view/MapManager.h"
#include "world/MoveManager.h"
#include "world/ObjectManager.h"
#include "world/Player.h"

BOOL SpeechLine::skipNextKey = FALSE;

namespace {

constexpr int kLineFont = 3;
constexpr int kSystemHue = 995;
constexpr int kRecallKey = 81;

struct ModeLook {
    int mode;
    const char* prompt;
};
constexpr ModeLook kPrompts[] = {
    {SpeechLine::BROADCAST, "Broadcast: "}, {SpeechLine::EMOTE, "Emote: "},
    {SpeechLine::COMMAND, "Command: "},     {SpeechLine::WHISPER, "Whisper: "},
    {SpeechLine::YELL, "Yell: "},
};

const char* PromptOf(int mode) {
    for (const ModeLook& look : kPrompts)
        if (look.mode == mode) return look.prompt;
    return "";
}

AppSpeech& App() {
    return tw::Service<AppSpeech>::Get();
}

BOOL LineEnabled() {
    return tw::Service<GumpSession>::IsInstalled() && tw::Service<GumpSession>::Get().IsInWorld();
}

int UnitsLength(const M_WORD* units) {
    int n = 0;
    while (units[n]) ++n;
    return n;
}

// Selects the bark font while it lives.
class LineFont {
public:
    LineFont() : saved_(UnicodeGetCurrentFont()) { UnicodeSetCurrentFont(BarkFontNumber); }
    ~LineFont() { UnicodeSetCurrentFont(saved_); }

private:
    int saved_;
};

// The one line gump, when it is still open (the gump manager may have closed
// it).
BOOL GumpIsOpen(CGump* gump) {
    for (CGump* g = g_gumpList; gump && g; g = g->next)
        if (g == gump) return TRUE;
    return FALSE;
}

void ShowOverPlayer(const char* text) {
    CBarkGump::Create(pPlayerObject, text, App().SpeechHue(), App().SpeechFont());
}

void WriteToGame(PDSTRUCT* packet) {
    if (g_pGameSocket) g_pGameSocket->Write(packet);
}

}  // namespace

SpeechLine::SpeechLine() {
    TWReport::message("CInputWindow::CInputWindow(): begin.\n");
}

SpeechLine::~SpeechLine() {
    if (GumpIsOpen(lineGump)) delete lineGump;
}

void SpeechLine::Narrow(char* out, size_t size) const {
    size_t n = 0;
    for (int i = 0; i < length && n + 1 < size; ++i)
        out[n++] = static_cast<char>(text[i] < 256 ? text[i] : '?');
    out[n] = 0;
}

BOOL SpeechLine::Fits(int code) const {
    if (length > MAX_LENGTH - 1) return FALSE;
    const bool skipGlyph = code == '.' || code == ' ';
    if (UnicodeSpeech) {
        LineFont selected;
        int w = 0, h = 0, baseline = 0;
        M_WORD line[TEXT_UNITS];
        memcpy(line, text, sizeof line);
        line[length] = 0;
        UnicodeCalcInfoLine(line, &w, &h, &baseline);
        return w <= MAX_WIDTH && (skipGlyph || UnicodeGetGlyphInfo(static_cast<M_WORD>(code)));
    }
    char narrow[TEXT_UNITS];
    Narrow(narrow, sizeof narrow);
    return code < 256 && FontManager::GetStringWidth(kLineFont, length, narrow) <= MAX_WIDTH &&
           (skipGlyph || FontManager::HasGlyph(kLineFont, code));
}

void SpeechLine::Type(M_WORD unit) {
    if (!Fits(unit)) return;
    text[length++] = unit;
    text[length] = 0;
    UpdatePrompt();
}

void SpeechLine::HandleKey(int code) {
    if (!LineEnabled()) return;
    if (skipNextKey) {
        skipNextKey = FALSE;
        return;
    }
    // Bytes above 127 arrive from the character handler as negative values.
    if (code < 0) code &= 0xFF;
    switch (code) {
        case 8:
            if (length >= 1) {
                text[--length] = 0;
                if (length == 0) mode = SAY;
                UpdatePrompt();
            }
            return;
        case 10:
        case 13:
            if (length > 0) {
                memcpy(lastLine, text, sizeof lastLine);
                lastMode = mode;
                if (g_serverPrompt.pending) {
                    char reply[TEXT_UNITS];
                    Narrow(reply, sizeof reply);
                    return SendPromptReply(1, reply);
                }
                if (mode == COMMAND)
                    HandleEnter();
                else
                    Speak();
            }
            length = 0;
            text[0] = 0;
            mode = SAY;
            UpdatePrompt();
            return;
        case ' ':
            if (length == 1) {
                const int signs[][2] = {{'!', YELL}, {';', WHISPER}, {':', EMOTE}, {'\'', SAY}};
                for (const auto& sign : signs)
                    if (text[0] == sign[0]) {
                        mode = sign[1];
                        length = 0;
                        text[0] = 0;
                        UpdatePrompt();
                        return;
                    }
            }
            return Type(' ');
        case '+':
        case '-':
            if (swallowCount > 0) {
                --swallowCount;
                return;
            }
            return Type(static_cast<M_WORD>(code));
        default:
            return Type(static_cast<M_WORD>(code));
    }
}

void SpeechLine::Speak() {
    text[length] = 0;
    if (UnicodeSpeech) return SendUnicodeSpeech(text, 0, mode);
    char narrow[TEXT_UNITS];
    Narrow(narrow, sizeof narrow);
    TextManager::SendSpeech(narrow, static_cast<int>(strlen(narrow)), mode);
}

int SpeechLine::HandleEnter() {
    char line[TEXT_UNITS];
    Narrow(line, sizeof line);
    char word[TEXT_UNITS];
    const char* argument = GetLowercaseWord(line, word, sizeof word);
    static const struct {
        const char* word;
        int code;
    } kCommands[] = {{"who", 10},     {"where", 11},   {"query", 20},    {"fullscreen", 201},
                     {"action", 199}, {"helpme", 202}, {"version", 203}, {"a", 204}};
    int code = 0;
    for (const auto& command : kCommands)
        if (strcmp(word, command.word) == 0) code = command.code;
    if (!code) return 0;
    if (echoCommands) {
        const std::string echo = std::string(".") + word + " " + argument;
        ShowOverPlayer(echo.c_str());
    }
    PDSTRUCT packet;
    switch (code) {
        case 11: {
            char where[96];
            const CPlayer* player = pPlayerObject;
            snprintf(where, sizeof where, "You are at: %d %d %d in map%d.",
                     player ? player->locX : 0, player ? player->locY : 0, player ? player->z : 0,
                     std::max(MapManager::mapNumber, 0));
            ShowOverPlayer(where);
            break;
        }
        case 201:
            if (g_frameBuf) g_frameBuf->Reserved5();
            break;
        case 199:
            PacketManager::BuildTextCommand(&packet, 199, argument);
            WriteToGame(&packet);
            break;
        case 202:
            if (g_pGameSocket) {
                PacketManager::Build9b(&packet, 0, argument);
                WriteToGame(&packet);
            }
            break;
        case 203:
            App().ShowVersion();
            break;
        default:
            break;
    }
    return 1;
}

void SpeechLine::UpdatePrompt() {
    if (length < 0 || length > MAX_LENGTH) length = 0;
    text[length] = 0;
    // The prompt, the text and the caret: what the shown line holds.
    M_WORD shown[TEXT_UNITS + 16] = {};
    int n = 0;
    for (const char* p = PromptOf(mode); *p; ++p) shown[n++] = static_cast<unsigned char>(*p);
    for (int i = 0; i < length; ++i) shown[n++] = text[i];
    if (!g_focusGump) shown[n++] = '_';
    shown[n] = 0;

    int hue = App().SpeechHue();
    int font = App().SpeechFont();
    if (mode == BROADCAST || mode == COMMAND) hue = kSystemHue;
    if (mode == EMOTE) {
        hue = App().EmoteHue();
        font = App().EmoteFont();
    }
    if (!GumpIsOpen(lineGump)) lineGump = nullptr;
    if (UnicodeSpeech) {
        if (!lineGump)
            lineGump = new CInputGump(shown, hue, font, TRUE);
        else
            lineGump->RedrawUnicode(shown, hue);
        return;
    }
    char narrow[TEXT_UNITS + 16];
    for (int i = 0; i <= n; ++i) narrow[i] = static_cast<char>(shown[i] < 256 ? shown[i] : '?');
    if (!lineGump)
        lineGump = new CInputGump(narrow, hue, font, FALSE);
    else
        lineGump->Redraw(narrow, hue, font);
}

void SpeechLine::SetMode(int newMode) {
    mode = newMode;
}

void SpeechLine::SendPromptReply(int response, const char* reply) {
    M_WORD wide[TEXT_UNITS] = {};
    for (int i = 0; reply && reply[i] && i < TEXT_UNITS - 1; ++i)
        wide[i] = static_cast<unsigned char>(reply[i]);
    ::SendPromptReply(this, response, wide);
    length = 0;
    text[0] = 0;
    mode = SAY;
    UpdatePrompt();
}

int SpeechLine::HandleSpecialKey(int code, M_DWORD keyState) {
    if (!LineEnabled() || CGumpManager::modalGump || length > 0) return 1;
    static const int kWalkDirections[8] = {1, 3, 5, 7, 6, 0, 2, 4};  // keys 33..40
    if (code >= 33 && code <= 40) {
        MoveManager::WalkByKey(kWalkDirections[code - 33], keyState);
        return 1;
    }
    if (code == kRecallKey && g_keyControl) {
        memcpy(text, lastLine, sizeof text);
        text[MAX_LENGTH] = 0;
        length = UnitsLength(text);
        mode = lastMode;
        UpdatePrompt();
        skipNextKey = TRUE;
        return 1;
    }
    return 0;
}

void SendHelpRequest() {
    PDSTRUCT packet;
    PacketManager::Build9b(&packet, 0, "");
    WriteToGame(&packet);
}

namespace {

SpeechLine* Line(CInputWindow* line) {
    return static_cast<SpeechLine*>(line);
}

class SpeechLineService final : public InputWindowService {
public:
    CInputWindow* MakeInputWindow() override { return new SpeechLine; }
    int HandleSpecialKey(int code, M_DWORD keyState) override {
        return g_inputWindow ? Line(g_inputWindow)->HandleSpecialKey(code, keyState) : 0;
    }
    void HandleKey(CInputWindow* line, int code) override {
        if (line) Line(line)->HandleKey(code);
    }
    void RedrawText(CInputWindow* line, int, int) override {
        if (line) Line(line)->UpdatePrompt();
    }
    BOOL IsPromptPending() override { return g_serverPrompt.pending; }
    void SendPromptReply(CInputWindow* line, int replyType, const char* text) override {
        if (line)
            Line(line)->SendPromptReply(replyType, text);
        else
            ::SendPromptReply(nullptr, replyType, nullptr);
    }
    void SetMode(CInputWindow* line, int mode) override {
        if (line) Line(line)->SetMode(mode);
    }
    void UpdatePrompt(CInputWindow* line) override {
        if (line) Line(line)->UpdatePrompt();
    }
};

}  // namespace

void InstallSpeechLine() {
    static SpeechLineService service;
    tw::Service<InputWindowService>::Install(&service);
}
