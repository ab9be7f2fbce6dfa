// ToolTipGump: the small framed box of text that the drawing pass shows when
// the mouse has rested on a gump long enough (CGumpManager::UpdateToolTip).
//
// The text is measured into a box about twice as wide as it is tall, framed
// by nine pieces of gump art (3000-3008, each of an exact size) and drawn in
// the tool-tip colour with a dark outline.  The box links itself at the head
// of the top-level list; the drawing pass closes it again.
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class ToolTipGump : public CGump {
public:
    // The frame art ids and their sizes.
    static constexpr int FRAME_ART_FIRST = 3000;
    static constexpr int FRAME_PIECES = 9;
    // Where the text area begins inside the frame.
    static constexpr int INSET = 4;

    ToolTipGump(int x, int y, const M_WORD* text);
    ~ToolTipGump() override = default;

    // TRUE when all nine frame pieces exist at exactly their sizes.
    static BOOL HasFrameArt();
    // The tool-tip font (a Unicode font number, 0 to 2).
    static int GetFont();
    static void SetFont(int font);

    void HandleLButtonDown(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMoveAway() override;
    BOOL IsToolTipGump() override { return TRUE; }

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    void SetPosition(int newX, int newY) {
        x = newX;
        y = newY;
    }

    int innerLeft = 0;
    int innerTop = 0;
    // The wrapped text's area, 2 pixels larger than the text each way.
    int textWidth = 0;
    int textHeight = 0;
    int textX = 0;
    int textY = 0;

    // The text box's size for a text in the current Unicode font: the wrap
    // width grows in steps of 16 from the widest word until it is at least
    // twice the wrapped height.
    static void MeasureText(const M_WORD* text, int* wrapWidth, int* wrappedHeight);

private:
    void DrawFrame();
    void DrawText(const M_WORD* text);
};
