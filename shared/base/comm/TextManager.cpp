// The text manager: system messages as speech gumps without an owner, the
// journal with its log file, and the player's typed 8-bit speech through the
// application's spam throttle.
#include "gumps/TextManager.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "FileManager.h"
#include "Service.h"
#include "TWReport.h"
#include "comm/AppSpeech.h"
#include "comm/BarkGump.h"
#include "comm/CommServices.h"
#include "comm/Journal.h"
#include "comm/TextGump.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "resources/FontManager.h"
#include "resources/UnicodeFont.h"
#include "world/SpeakerRecord.h"

JournalLine* Journal::head = nullptr;
JournalLine* Journal::tail = nullptr;
int Journal::count = 0;
BOOL Journal::off = FALSE;
std::vector<M_DWORD> Journal::valueList;

namespace {

FILE* g_journalFile = nullptr;

constexpr int kEmote = 2;
constexpr int kJournalFont = 9;

M_DWORD StoredColour(M_DWORD colour) {
    const auto& list = Journal::valueList;
    return std::find(list.begin(), list.end(), colour) != list.end() ? 0 : colour;
}

void DropOldest() {
    JournalLine* oldest = Journal::head;
    if (!oldest) return;
    JournalWindowsLineGoing(oldest);
    Journal::head = oldest->next;
    if (Journal::head)
        Journal::head->prev = nullptr;
    else
        Journal::tail = nullptr;
    delete oldest;
    --Journal::count;
}

void Link(JournalLine* line) {
    while (Journal::count >= Journal::MAX_LINES) DropOldest();
    line->prev = Journal::tail;
    if (Journal::tail)
        Journal::tail->next = line;
    else
        Journal::head = line;
    Journal::tail = line;
    ++Journal::count;
}

// The log file opens on first use and stays open; a failed open is tried
// again with the next line.
FILE* LogFile() {
    if (!SaveJournal || !JournalSaveFile[0]) return nullptr;
    if (!g_journalFile) g_journalFile = FileManager::openAbsolute(JournalSaveFile, "a+");
    return g_journalFile;
}

void WriteWide(FILE* file, const M_WORD* units, size_t n) {
    if (n == 0) return;
    FileManager::write(units, sizeof(M_WORD), n, file);
    const M_WORD newline = 10;
    FileManager::write(&newline, sizeof newline, 1, file);
    fflush(file);
}

void WriteNarrow(FILE* file, const std::string& line) {
    fprintf(file, "%s\n", line.c_str());
    fflush(file);
}

void Log(const JournalLine& line) {
    FILE* file = LogFile();
    if (!file) return;
    if (JournalSaveUnicode) {
        if (line.wide) {
            WriteWide(file, line.wideText.data(), line.wideText.size() - 1);
        } else {
            std::vector<M_WORD> units(line.text.begin(), line.text.end());
            for (M_WORD& u : units) u &= 0xFF;
            WriteWide(file, units.data(), units.size());
        }
        return;
    }
    if (!line.wide) return WriteNarrow(file, line.text);
    std::string narrow;
    for (M_WORD u : line.wideText)
        if (u && u < 128) narrow.push_back(static_cast<char>(u));
    WriteNarrow(file, narrow);
}

void Append(JournalLine* line) {
    Link(line);
    Log(*line);
    JournalWindowsRefresh();
}

// Runs of blanks become one blank (a leading run too) once a line has two
// characters or more.
std::string CollapseBlanks(const std::string& text) {
    if (text.size() < 2) return text;
    std::string out;
    for (char c : text)
        if (c != ' ' || out.empty() || out.back() != ' ') out.push_back(c);
    return out;
}

class TextManagerImpl final : public TextManagerService {
public:
    void startup() override {
        TWReport::message("TextManager::startup: begin.\n");
        Journal::Clear();
        g_speechKind = SPEECH_KIND_SYSTEM;
        g_speakerName[0] = 0;
    }
    void shutdown() override {
        Journal::Clear();
        Journal::CloseFile();
    }
    void CloseJournalFile() override { Journal::CloseFile(); }

    void AddSystemMessage(int hue, int font, const char* text) override {
        if (!FontManager::ValidFont(font)) return;
        g_speechKind = SPEECH_KIND_SYSTEM;
        new CBarkGump(nullptr, text ? text : "", hue, font);
    }

    void SendSpeech(const char* text, int length, int mode) override {
        if (!text || length < 0) return;
        AppSpeech& app = tw::Service<AppSpeech>::Get();
        if (!app.SpeechAllowed()) {
            app.QueueSpamSpeech();
            app.QueueSay(text, length, mode);
            return;
        }
        std::string line(text, strnlen(text, static_cast<size_t>(length)));
        line = CollapseBlanks(line);
        if (mode == kEmote) line = "*" + line + "*";
        if (g_pGameSocket) {
            PDSTRUCT packet;
            const bool emote = mode == kEmote;
            PacketManager::BuildTalk(
                &packet, static_cast<M_BYTE>(mode), emote ? app.EmoteHue() : app.SpeechHue(),
                emote ? app.EmoteFont() : app.SpeechFont(), line.c_str(), line.size());
            g_pGameSocket->Write(&packet);
        }
        app.AddSpeechSpam(length);
    }

    void AddJournalText(const char* text, M_DWORD colour) override { Journal::Add(text, colour); }
    void AddJournalText(const M_WORD* text, M_DWORD colour) override { Journal::Add(text, colour); }
};

}  // namespace

void Journal::Add(const char* text, M_DWORD colour) {
    if (off) return;
    auto* line = new JournalLine;
    line->text = text ? text : "";
    line->colour = StoredColour(colour);
    int width = 0;
    FontManager::GetStringSize(kJournalFont, line->text.c_str(), &width, &line->height,
                               &line->extra);
    Append(line);
}

void Journal::Add(const M_WORD* text, M_DWORD colour) {
    if (off) return;
    auto* line = new JournalLine;
    for (const M_WORD* u = text; u && *u; ++u) line->wideText.push_back(*u);
    line->wideText.push_back(0);
    line->wide = TRUE;
    line->colour = StoredColour(colour);
    int width = 0;
    UnicodeCalcInfoLine(line->wideText.data(), &width, &line->height, &line->extra);
    Append(line);
}

void Journal::Clear() {
    while (head) {
        JournalLine* next = head->next;
        delete head;
        head = next;
    }
    tail = nullptr;
    count = 0;
}

void Journal::CloseFile() {
    if (g_journalFile) FileManager::close(g_journalFile);
    g_journalFile = nullptr;
}

void Journal::reset() {
    Clear();
    CloseFile();
    off = FALSE;
    valueList.clear();
}

void InstallTextManager() {
    static TextManagerImpl manager;
    tw::Service<TextManagerService>::Install(&manager);
}
