// The credits roll: a modal loop, outside the main loop, that reads
// "credits.dat" and scrolls its lines upward over a full-screen background
// at 30 frames per second until the last line has left the screen or a key
// is pressed.  While it runs nothing of the main loop runs; it pumps the
// window's events into the same queue the main loop reads and takes them
// all, ending at a key press and dropping the rest.
//
// "credits.dat" (text, one line per credit line): a line whose first token
// (split at blanks, tabs, line ends, form feeds and '=') is "!" is a command
// line of keyword and value pairs:
//   color <c>         colour of the next text line (ParseColor)
//   defaultcolor <c>  the same, and the colour of every later line
//   font <n>          Unicode font (0-2) of the next text line
//   defaultfont <n>   the same, and the font of every later line
//   song <n>          appends a song to the song list
// Other tokens are skipped; a keyword without a value ends the line.  Every
// other line, an empty one too, is a credit line.
#pragma once

#include "TWTypes.h"
#include "app/SongList.h"
#include "resources/FontManager.h"
#include "strings/USimStr.h"

struct CreditLine {
    USimStr text;
    int colour = 0;  // 15-bit pixel
    int font = 0;    // Unicode font 0-2
    // Measured in the line's font when the file is loaded.
    int width = 0;
    int height = 0;
    int baseline = 0;
};

class CCreditsRoll {
public:
    static constexpr int SCREEN_WIDTH = 640;
    static constexpr int SCREEN_HEIGHT = 480;
    static constexpr int BACKGROUND_GUMP = 1280;
    static constexpr int MENU_GUMP = 5500;
    static constexpr int FRAMES_PER_SECOND = 30;
    // The longest wait between two looks at the keyboard.
    static constexpr int WAIT_PIECE_MS = 20;

    CCreditsRoll();
    ~CCreditsRoll();
    CCreditsRoll(const CCreditsRoll&) = delete;
    CCreditsRoll& operator=(const CCreditsRoll&) = delete;

    // Loads the file and rolls it; FALSE when there was nothing to roll.
    // Leaves the menu background (gump art 5500) in the back buffer.
    BOOL Run();
    // FALSE when "credits.dat" cannot be opened or holds no credit line.
    BOOL Load();
    // One frame: waits for its time (looking at the keyboard), advances,
    // draws and presents.
    void Step();

    const CreditLine* GetLine(int index) const;
    int GetLineCount() const { return lineCount; }

    int firstLine = 0;  // index of the first visible line
    int scroll = -30;   // pixels the first line has risen
    BOOL done = FALSE;
    CreditLine* lines = nullptr;
    int lineCount = 0;
    CSongList songs;
    CFrameTimer timer;

    // What a line gets when no command names its colour or font; kept from
    // one roll to the next.
    static int defaultColour;
    static int defaultFont;
    // Test support: the defaults back to colour 0x7777 and font 0.
    static void reset();

private:
    void Poll();
    void Advance(int steps);
    void Draw();
};
