// The journal window (CTextGump, gump id 7 of the gump manager) and the
// rubber-band rectangle that makes it taller (CResizeGump).
//
// The journal window shows the text manager's journal (comm/Journal.h) on a
// parchment strip: it keeps a pointer to the first journal line it shows
// and how many pixels of that line's wrapped text are scrolled away.  While
// its follow toggle is clear it shows the newest lines as they come; every
// scroll by the user sets the toggle.  The journal tells the open windows
// before a line goes and after a line came (the two functions at the end).
#pragma once

#include "TWTypes.h"
#include "gumps/ButtonGump.h"
#include "comm/Parchment.h"
#include "gumps/Gump.h"

struct JournalLine;

class CTextGump : public CParchmentGump {
public:
    // Entries one scroll-bar click pages over.
    static constexpr int PAGE_ENTRIES = 10;
    static constexpr int ARROW_STEP = 6;

    CTextGump(int x, int y);
    ~CTextGump() override;

    // Shows the newest lines: the newest line's last row touches the bottom
    // of the text area, or the oldest line comes first when all fit.
    void Reflow();
    // Reflow, the thumb follows, redraw (a journal line came).
    void Refresh();
    void RedrawFrame() override;

    BOOL HitTest(int x, int y) override;
    void HandleScroll(int position, int range, CGump* thumb) override;
    void Resize(int newWidth, int newHeight, int flag) override;
    BOOL IsTextGump() override { return TRUE; }

    // Button callbacks.
    void ScrollUp();
    void ScrollDown();
    void ToggleFollow();

    // The wrapped height of a line at the text area's width.
    int LineHeight(const JournalLine* line) const;
    BOOL Following() const;

    JournalLine* firstLine = nullptr;
    int offset = 0;
    RECT textArea{0, 0, 0, 0};
    CThumbGump* thumb = nullptr;
    CButtonGump* followToggle = nullptr;

    // The thumb follows the view.
    void UpdateThumb();

private:
    void Layout();
    void PageBy(int entries);
    void ScrollBarClick(int px, int py) override;
};

// A rectangle of four white edges that follows the mouse from a press on a
// resize button to the release, then tells its target the new size.
class CResizeGump : public CGump {
public:
    CResizeGump(int x, int y, int width, int height, int minWidth, int minHeight, int maxWidth,
                int maxHeight, CGump* target, int extra);

    // The new size for a mouse point in gump coordinates, kept between the
    // minimum and the maximum, the width even.
    void SetSize(int px, int py);

    BOOL HitTest(int, int) override { return FALSE; }
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override { SetSize(x, y); }

    int currentWidth = 0, currentHeight = 0;
    int previousWidth = 0, previousHeight = 0;
    int minWidth, minHeight, maxWidth, maxHeight;
    CGump* target;
    int extra;

private:
    CGump* edges_[4] = {};
};

void JournalWindowsLineGoing(JournalLine* line);
void JournalWindowsRefresh();
