// CTipsGump: the tip of the day or a server notice (message 0xA6) on the
// journal window's parchment: at most MAX_LINES lines of 8-bit text in font
// 6, scrolled with the thumb or scroll-bar clicks, moved, minimised and
// made taller as the journal window is.  A tip window also has
// previous and next buttons, which ask the server for another tip and close
// the window, and a "Don't show again" toggle saved as ShowTips when it
// closes.
#pragma once

#include <string>
#include <vector>

#include "TWTypes.h"
#include "comm/Parchment.h"
#include "gumps/ButtonGump.h"
#include "gumps/Gump.h"

class CTipsGump : public CParchmentGump {
public:
    static constexpr int MAX_LINES = 100;
    static constexpr int LINE_BYTES = 80;

    // x and y give way to (320, 180) for a tip and (20, 20) for a notice;
    // lines beyond MAX_LINES and characters beyond LINE_BYTES - 1 are cut.
    CTipsGump(int x, int y, const std::vector<std::string>& lines, BOOL tipMode);
    ~CTipsGump() override;

    void RedrawFrame() override;
    BOOL HitTest(int x, int y) override;
    void HandleScroll(int position, int range, CGump* thumb) override;
    void Resize(int newWidth, int newHeight, int flag) override;

    // The arrows' callback: they do nothing (previous and next are the
    // library's TipPrev and TipNext).
    void Nothing() {}

    std::vector<std::string> lines;
    int firstLine = 0;
    BOOL tipMode;
    CThumbGump* thumb = nullptr;
    CButtonGump* dontShow = nullptr;

private:
    void ScrollBarClick(int px, int py) override;
};

// Breaks the text of message 0xA6 into the window's lines: carriage returns
// end paragraphs, paragraphs wrap at 214 pixels of font 6, at most
// CTipsGump::MAX_LINES lines of CTipsGump::LINE_BYTES - 1 characters.
std::vector<std::string> BreakTipText(const std::string& text);
