// What the journal window and the tips window share: the parchment strip of
// gump art 2080 (top), 2081-2082 (middle, in turn) and 2083 (bottom) drawn
// down a frame, and CParchmentGump, the window around it: the minimise and
// resize buttons, the minimised icon, and the left button's press, drag,
// double click and auto-repeat over the scroll bar.
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"
#include "resources/BlitTarget.h"

class CThumbGump;

namespace parchment {

int ArtWidth(int art);
int ArtHeight(int art);
void DrawArtColumn(const BlitTarget& target, int frameHeight);
// The heights of the strip's top and bottom pieces as the layout counts
// them (from the minimise and resize buttons' art).
int TopGap();
int BottomGap();

}  // namespace parchment

class CParchmentGump : public CGump {
public:
    static constexpr int INITIAL_HEIGHT = 300;
    static constexpr int MIN_HEIGHT = 220;

    // A window of the strip's width and the initial height, with two frames
    // (the window and its minimised icon, drawn from iconArt).
    CParchmentGump(int x, int y, int iconArt);

    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;
    void Tick() override;

    // The resize button: the rectangle starts at the press point, and the
    // window grows only downwards (CGump::ResizeTextGump).
    void OpenResize();

protected:
    // The minimise button at the top and the resize button at the foot.
    void AddFrameButtons();
    // A press (and its auto-repeat) on the scroll bar beside the text.
    virtual void ScrollBarClick(int px, int py) = 0;
    // The new size (the width rounded up to a multiple of 8) with the
    // children moved for it: those in the right half keep their distance to
    // the right edge and those in the lower half to the bottom edge;
    // keepBoth keeps both wherever it lies; the thumb keeps its distance to
    // the right edge and its range end to the bottom edge.  The caller lays
    // out and redraws.
    void TakeSize(int newWidth, int newHeight, CThumbGump* thumb, CGump* keepBoth);
    // After a scroll-bar page, a thumb that stopped short of the pointer
    // (the thumb's wanted top) goes on to it, and the view follows it.
    void ChaseThumb(CThumbGump* thumb, int wanted, bool upward);

private:
    CGump* resizeButton_ = nullptr;
    BOOL held_ = FALSE;
    BOOL dragging_ = FALSE;
    int clickState_ = 0;
    M_DWORD firstClickTime_ = 0;
    int repeat_ = 0;
    int pressX_ = 0, pressY_ = 0;
};
