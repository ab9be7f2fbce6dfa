// Small building blocks: a picture layer that lets clicks through
// (CDumbGump) and the sign a server shows (CSignGump).
#pragma once

#include "gumps/Gump.h"

class CDumbGump : public CGump {
public:
    // A width x height picture: pixels copied in (rows width apart) when
    // given, else cleared; then the gump art gumpArt drawn over it unless it
    // is -1.  staticArt is drawn instead of the picture in static-art mode.
    CDumbGump(int x, int y, int unused, int width, int height, int staticArt, const M_WORD* pixels,
              int gumpArt);

    void DrawContents(const RECT& dirty) override;
    // Clicks pass through.
    BOOL HitTest(int, int) override { return FALSE; }
    BOOL IsDisposable() override { return FALSE; }

    BOOL staticArtMode = FALSE;
    BOOL translucent = FALSE;
    int staticArt;
};

class CSignGump : public CGump {
public:
    // A blank canvas of width x height for other gumps to draw on.
    CSignGump(int x, int y, int unused, int width, int height);

    // The sign a server shows: the art at (x, y) with the text wrapped into
    // the art's text area.  The art comes from the server: one of width 0 is
    // logged and no sign is made (null).
    static CSignGump* Create(int x, int y, int gumpArt, const char* title, const char* text,
                             CObj* owner);

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;
    BOOL IsSignGump() override { return TRUE; }

    BOOL held = FALSE;
};
