// The drop-down lists that fill a list-mode input field: the list box over
// a five-piece art column (CListBoxControlGump), which may scroll while the
// pointer rests above or below it, and the plainer list over a nine-piece
// frame that takes its choice on button-down (CScrollListBoxGump).
//
// A list is a top-level gump made hidden by its opener, filled with
// AddItem, bound to its field (inputField) and shown; choosing an item
// copies its id and text into the field and closes the list.  The bitmap
// (frame 0) is made at the first draw and made again whenever the list has
// grown since.  Main thread only.
#pragma once

#include "gumps/Gump.h"
#include "gumps/InputControlGump.h"

class CListBoxControlGump : public CGump {
public:
    static constexpr int MAX_ITEMS = 100;
    static constexpr int MAX_TEXT = 40;
    static constexpr int ROW_HEIGHT = 14;
    static constexpr int HIGHLIGHT_ART = 5109;
    static constexpr int MORE_ABOVE_ART = 2435, MORE_BELOW_ART = 2437;
    // The box keeps this far above the screen's bottom while it scrolls by
    // hovering, so that there is room below it to hover.
    static constexpr int SCROLL_MARGIN = 20;

    // The width and height arguments are not used: the box is as wide as
    // the art and as high as its top and bottom pieces, and grows with its
    // items.
    CListBoxControlGump(int x, int y, int art, int width, int height, int font, int hue,
                        int visibleRows);
    ~CListBoxControlGump() override = default;

    // Adds an item (its text cut to MAX_TEXT characters); refused once the
    // list holds MAX_ITEMS.
    void AddItem(int id, const char* text);
    // Repaints one item, or everything for -1.
    virtual void DrawItem(int index);

    void DrawContents(const RECT& dirty) override;
    BOOL HitTest(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;
    void Tick() override;

    // Heights of the column's top and bottom pieces (0 in the framed list).
    int TopHeight() const { return top; }
    int BottomHeight() const { return bottom; }

    FieldLink inputField;
    BOOL autoScroll;
    int count = 0;
    int hovered = -1;
    int visibleRows;
    int first = 0;
    int ids[MAX_ITEMS] = {};
    char texts[MAX_ITEMS][MAX_TEXT + 1] = {};
    M_WORD font;
    M_WORD hue;
    int art;

protected:
    // For the framed list: size given, rows from y 0.
    CListBoxControlGump(int x, int y, int art, int width, int height, int font, int hue,
                        int visibleRows, BOOL framed);
    // Makes (again) the bitmap at the box's size; TRUE when it was made.
    BOOL EnsureBitmap();
    // Copies the hovered item into the field, tells the field's owner and
    // closes the list.
    void Choose();
    // The font's baseline row, for the text rows.
    int Baseline() const;
    // The item rows shown: with auto-scroll the visible rows from first,
    // else all.
    int ShownRows() const;

    int top = 0;
    int bottom = 0;

private:
    void DrawMarks(M_WORD* pixels);
};

class CScrollListBoxGump : public CListBoxControlGump {
public:
    static constexpr int CHOSEN_HUE = 33;

    // The opener argument is not stored.
    CScrollListBoxGump(int x, int y, int art, int width, int height, CGump* opener, int font,
                       int hue, int visibleRows);

    void DrawItem(int index) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;
};
