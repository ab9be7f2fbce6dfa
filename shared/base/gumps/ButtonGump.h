// The controls every dialog is built from: the button (CButtonGump) and the
// thumb of a scroll bar (CThumbGump).  Both are children of their owner gump,
// linked by their creator with PutInGump(owner); the owner is the parent.
#pragma once

#include "gumps/Gump.h"

// A button's callback: a member function of the owner gump, called on it.
using GumpCallback = void (CGump::*)();

class CButtonGump : public CGump {
public:
    enum Type { PUSH = 0, TOGGLE = 1, AUTO_REPEAT = 2 };
    enum State { UP = 0, PRESSED = 1 };
    // Ticks after the press before an auto-repeat button starts firing.
    static constexpr int REPEAT_DELAY = 5;
    // Hue table entry of a disabled button's art.
    static constexpr int DISABLED_HUE = 960;

    // The art button: as large as the up art (or the pressed art when there
    // is no up art).
    CButtonGump(int x, int y, CGump* owner, int type, int state, GumpCallback callback, int upArt,
                int pressedArt, int page);
    // The area button: an invisible click area from (left, top) to (right,
    // bottom) inclusive, its width made even.
    CButtonGump(int left, int top, int right, int bottom, CGump* owner, int type, int state,
                GumpCallback callback, int page);
    // The labelled button: a bar of barArt (pressedBarArt when pressed) of the
    // given width with the label centred on it in font 1, hue 902.
    CButtonGump(int x, int y, int width, CGump* owner, int type, int state, GumpCallback callback,
                int barArt, int pressedBarArt, const char* label, int page);

    int State() const { return currentFrame; }
    void SetState(int state) { currentFrame = state ? PRESSED : UP; }

    void DrawContents(const RECT& dirty) override;
    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonDown(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseMoveAway() override;
    void Tick() override;
    // The flash cycle, run by the owner once an update.
    void UpdateState() override;
    BOOL IsButtonGump() override { return TRUE; }
    BOOL ServesMinimizedState() override { return forMinimized; }

    int type;
    int repeatCountdown = 0;
    int ownerValue = 0;
    int pressedArt = 0;
    int hoverArt = 0;
    int flashOffPeriod = 10;
    int flashOnPeriod = 1;
    int flashArt = 0;
    BOOL setOwnerValue = FALSE;
    BOOL disabled = FALSE;
    BOOL prebuiltFrames = FALSE;
    BOOL hovered = FALSE;
    BOOL artHitTest = TRUE;
    GumpCallback callback = nullptr;
    BOOL tracking = FALSE;
    BOOL flashOn = FALSE;
    int flashCounter = 0;
    // TRUE: the button serves its owner's minimized state, not the normal.
    BOOL forMinimized = FALSE;

private:
    // Stores the owner value and calls the callback; the callback may close
    // the owner and with it this button.
    void Activate();
};

class CThumbGump : public CGump {
public:
    // The thumb at (x, y) in its owner, moving along y (vertical) or x up to
    // trackEnd, showing art.
    CThumbGump(int x, int y, BOOL vertical, int trackEnd, CGump* owner, int art);

    // Places the thumb at value of range along its axis (min at 0, max at
    // range) and returns the new position; a range of 0 puts it at the start.
    int SetValue(int value, int range);
    // Places the thumb for a text list: heightBefore pixels of wrapped lines
    // lie above the first visible line, offset pixels of that line are
    // scrolled away, of totalHeight pixels in all; nothing to scroll puts it
    // at the start.
    void UpdateFromText(int heightBefore, int offset, int totalHeight);
    // The position along the moving axis, and the track's length.
    int Position() const { return vertical ? y - minY : x - minX; }
    int Range() const { return vertical ? maxY - minY : maxX - minX; }

    void DrawContents(const RECT& dirty) override;
    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonDown(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseMoveAway() override;
    void HandleMouseDrag(int x, int y) override;
    BOOL IsThumbGump() override { return TRUE; }

    BOOL vertical;
    BOOL hovered = FALSE;
    int minX, maxX, minY, maxY;
    M_WORD hoverArt = 0;
    BOOL dragging = FALSE;
};
