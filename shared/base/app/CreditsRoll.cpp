#include "app/CreditsRoll.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "FileManager.h"
#include "FrameBuf.h"
#include "InputEvents.h"
#include "Platform.h"
#include "app/App.h"
#include "config/Color.h"
#include "config/TextLine.h"
#include "resources/BlitTarget.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"
#include "resources/UnicodeFont.h"
#include "strings/List.h"

int CCreditsRoll::defaultColour = 0x7777;
int CCreditsRoll::defaultFont = 0;

namespace {

constexpr char kCreditsFile[] = "credits.dat";
constexpr char kFirstSeparators[] = " \t\n\r\f=";
constexpr char kSeparators[] = " \t\n\r\f";
constexpr int kFonts = 3;

// The next token of text at *p (split at any of separators), or null.
char* NextToken(char** p, const char* separators) {
    char* s = *p + strspn(*p, separators);
    if (!*s) {
        *p = s;
        return nullptr;
    }
    char* end = s + strcspn(s, separators);
    if (*end) *end++ = 0;
    *p = end;
    return s;
}

struct Pending {
    int colour;
    int font;
};

// Applies the keyword and value pairs of a command line.
void ApplyCommands(char* rest, Pending& next, CSongList& songs) {
    while (char* keyword = NextToken(&rest, kSeparators)) {
        const bool known = !strcmp(keyword, "color") || !strcmp(keyword, "defaultcolor") ||
                           !strcmp(keyword, "font") || !strcmp(keyword, "defaultfont") ||
                           !strcmp(keyword, "song");
        if (!known) continue;
        char* value = NextToken(&rest, kSeparators);
        if (!value) return;
        if (!strcmp(keyword, "color") || !strcmp(keyword, "defaultcolor")) {
            next.colour = ParseColor(value);
            if (keyword[0] == 'd') CCreditsRoll::defaultColour = next.colour;
        } else if (!strcmp(keyword, "song")) {
            songs.AddSong(atoi(value));  // the list keeps its first 32
        } else {
            // Only three Unicode fonts exist; another number is refused.
            const int font = atoi(value);
            if (font < 0 || font >= kFonts) continue;
            next.font = font;
            if (keyword[0] == 'd') CCreditsRoll::defaultFont = font;
        }
    }
}

// The roll's 640 x 480 screen in the back buffer, or less of it when the
// display is smaller.
BlitTarget RollScreen() {
    return BlitTarget(g_backBuffer, g_displayWidth, g_displayHeight)
        .Clipped(RECT{0, 0, CCreditsRoll::SCREEN_WIDTH, CCreditsRoll::SCREEN_HEIGHT});
}

}  // namespace

CCreditsRoll::CCreditsRoll() {
    timer.Reset();
}

CCreditsRoll::~CCreditsRoll() {
    delete[] lines;
}

void CCreditsRoll::reset() {
    defaultColour = 0x7777;
    defaultFont = 0;
}

const CreditLine* CCreditsRoll::GetLine(int index) const {
    return index >= 0 && index < lineCount ? &lines[index] : nullptr;
}

BOOL CCreditsRoll::Load() {
    FILE* file = FileManager::open(kCreditsFile, "rt");
    if (!file) return FALSE;
    CList<CreditLine> read;
    Pending next{defaultColour, defaultFont};
    for (;;) {
        char* line = ReadTextLine(file);
        // A read error ends the file too: it never sets the end flag.
        const bool atEnd = feof(file) || ferror(file);
        if (atEnd && !*line) break;
        char copy[TEXT_LINE_SIZE];
        snprintf(copy, sizeof copy, "%s", line);
        char* rest = copy;
        char* first = NextToken(&rest, kFirstSeparators);
        if (first && !strcmp(first, "!")) {
            ApplyCommands(rest, next, songs);
        } else {
            auto* credit = new CreditLine;
            credit->text = USimStr(line);
            credit->colour = next.colour;
            credit->font = next.font;
            read.AddTail(credit);
            next = Pending{defaultColour, defaultFont};
        }
        if (atEnd) break;
    }
    FileManager::close(file);
    if (read.GetCount() == 0) return FALSE;

    delete[] lines;
    lineCount = read.GetCount();
    lines = new CreditLine[lineCount];
    const int savedFont = UnicodeGetCurrentFont();
    int i = 0;
    for (CNode<CreditLine>* n = read.GetHead(); n; n = read.GetNext(n), ++i) {
        lines[i] = read.GetAt(n);
        UnicodeSetCurrentFont(lines[i].font);
        UnicodeCalcInfoLine(lines[i].text.c_str(), &lines[i].width, &lines[i].height,
                            &lines[i].baseline);
    }
    UnicodeSetCurrentFont(savedFont);
    return TRUE;
}

BOOL CCreditsRoll::Run() {
    if (!Load()) return FALSE;
    if (songs.numSongs > 0) songs.GetCurrentSong();  // this client plays no music
    timer.SetFramesPerSecond(FRAMES_PER_SECOND);
    while (!done) Step();
    CApp::ClearScreen();
    DrawGumpPixels(CopySpan, MENU_GUMP, 0, 0, RollScreen());
    return TRUE;
}

void CCreditsRoll::Poll() {
    if (!g_frameBuf) return;
    // Every event waiting is taken, so a key press behind pointer motion
    // still ends the roll at this look.  The pump stops at a resize or close
    // request; it is asked again until nothing more comes.
    for (;;) {
        g_frameBuf->PumpEvents();
        if (PendingInputEvents() == 0) return;
        InputEvent event;
        while (PopInputEvent(&event))
            if (event.kind == InputEvent::kKeyPress) done = TRUE;
    }
}

void CCreditsRoll::Step() {
    int steps = 1;
    if (timer.IsBehind()) {
        steps = timer.FramesBehind() + 1;
    } else {
        for (int wait = timer.TakeSlack(); wait > 0 && !done; wait -= WAIT_PIECE_MS) {
            usleep(static_cast<useconds_t>(wait < WAIT_PIECE_MS ? wait : WAIT_PIECE_MS) * 1000);
            Poll();
        }
        if (done) return;
    }
    Poll();
    if (done) return;
    timer.MarkStart();
    Advance(steps);
    Draw();
    if (g_frameBuf) PresentBackBuffer();
    timer.MarkEnd();
    timer.AddFrameSlack();
}

void CCreditsRoll::Advance(int steps) {
    for (int i = 0; i < steps && !done; ++i) {
        ++scroll;
        const CreditLine* first = GetLine(firstLine);
        if (!first || scroll < SCREEN_HEIGHT + first->height) continue;
        const CreditLine* next = GetLine(firstLine + 1);
        if (!next) {
            done = TRUE;
            return;
        }
        scroll = SCREEN_HEIGHT + first->height - next->height;
        ++firstLine;
    }
}

void CCreditsRoll::Draw() {
    const BlitTarget screen = RollScreen();
    if (screen.Empty()) return;
    DrawGumpPixels(CopySpan, BACKGROUND_GUMP, 0, 0, screen);
    const int savedFont = UnicodeGetCurrentFont();
    int y = SCREEN_HEIGHT - scroll;
    for (int i = firstLine; i < lineCount && y < SCREEN_HEIGHT; ++i) {
        const CreditLine& line = lines[i];
        UnicodeSetCurrentFont(line.font);
        UnicodeDrawString(screen, line.text.c_str(), (SCREEN_WIDTH - line.width) / 2, y,
                          line.colour);
        y += line.height;
    }
    UnicodeSetCurrentFont(savedFont);
}
