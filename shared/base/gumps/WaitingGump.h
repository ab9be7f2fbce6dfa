// CWaitingGump: the modal message box of the login flow, the network notes
// and the dialogs' warnings, small or large, with one button.
#pragma once

#include "gumps/Gump.h"
#include "gumps/GumpHandle.h"

class CWaitingGump : public CGump {
public:
    static constexpr int FRAME_ART = 2600;
    // The text buffer holds this many bytes (half as many wide characters)
    // with its terminator; longer texts are cut.
    static constexpr int TEXT_BYTES = 512;

    // A box showing text (8-bit, or M_WORD with wideText) for owner, centred
    // on the gameplay window (x and y are not used).  okButton picks the
    // button's arts, large the size (and the busy cursor with an ok button);
    // logout makes the button log out of the world instead of closing.
    CWaitingGump(int x, int y, const void* text, CGump* owner, BOOL okButton = TRUE,
                 BOOL large = FALSE, BOOL logout = FALSE, bool wideText = false);
    ~CWaitingGump() override;

    // The button: shows the owner again and gives it back its input, then
    // logs out or closes the box.
    void CloseOrLogout();

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;
    int HandleKey(int code) override;
    BOOL IsWaitingGump() override { return TRUE; }
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }

    BOOL held = FALSE;
    BOOL large;
    BOOL logout;
    M_BYTE text[TEXT_BYTES] = {};
    bool wideText;
    BOOL busyRaised = FALSE;

private:
    // The gump that had the keyboard before the box took it; forgotten when
    // it closes first.
    GumpHandle previousActive_;
};
