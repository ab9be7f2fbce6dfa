// CInputGump: the one-line gump at the foot of the game window that shows
// what the player types, with the speech line's prompt in front
// (comm/SpeechLine.h).  It only displays; the speech line makes it on first
// use and redraws it with the whole line each time the line changes.
#pragma once

#include "TWTypes.h"
#include "gumps/Gump.h"

class CInputGump : public CGump {
public:
    // Puts itself in front of the top-level gumps, then draws the text
    // (M_WORD text when unicode is TRUE).
    CInputGump(const void* text, int hue, int font, BOOL unicode);

    // An 8-bit line in a bitmap font.
    void Redraw(const char* text, int hue, int font);
    // A 16-bit line in the bark font, outlined.
    void RedrawUnicode(const M_WORD* text, int hue);

    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonDown(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsInputGump() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }

    // The bytes the frame block holds; it grows when a line needs more and
    // never shrinks.
    size_t Capacity() const { return capacity_; }

private:
    // A cleared block of width x height for the line, reused while it
    // holds it; the pixels.
    M_WORD* Prepare(int w, int h, const char* who);

    size_t capacity_ = 0;
    M_DWORD lastRedraw_ = 0;
};
