// The check box of the dialogs and the login screens: gump art for off and
// on (with hover and fixed-state variants) and an optional text label to
// its right.  A click flips it, unless it is fixed, and tells the parent
// (HandleButton with the control).
#pragma once

#include "gumps/Gump.h"

class CToggleControlGump : public CGump {
public:
    // label may be null.  The creator sets the hover arts afterwards.
    CToggleControlGump(int x, int y, CGump* parent, int artOff, int artOn, int font, int hue,
                       const char* label, int state, int altArtOff, int altArtOn);

    int State() const { return state; }
    // Sets the state and draws it.
    void SetState(int on);
    // Draws the art for the state into the frame.
    void Redraw();

    BOOL HitTest(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseMoveAway() override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;

    int artOff;
    int artOn;
    int hoverArtOff = 0;
    int hoverArtOn = 0;
    int altArtOff;
    int altArtOn;
    BOOL fixed = FALSE;  // clicks do not change it
    M_BYTE state;
    BOOL hovered = FALSE;
    BOOL pressed = FALSE;
    int pressX = 0;
    int pressY = 0;
};
