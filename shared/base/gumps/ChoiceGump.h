// Lists of text choices that report the one the user clicks: the framed,
// scrolling list with a scroll bar (CScrollChoiceGump; in its sort variant
// the shard list of the front end) and the small fixed panel
// (CPanelChoiceGump).  Both keep the same choice table (CChoiceListGump) and
// tell their owner gump of a choice through its HandleButton; given an input
// field, a choice fills that field.
//
// A press takes the choice under it on the first tick after it, and again
// every second tick while the button stays down.  The owner is kept in
// ownerGump, which the manager clears when the owner closes; the field in a
// FieldLink.  Both lists are top-level gumps placed in the game area.  Main
// thread only.
#pragma once

#include "Service.h"
#include "gumps/Gump.h"
#include "gumps/InputControlGump.h"

class CScrollChoiceGump;
class CThumbGump;

// What the shard list asks of the front end (the shard choice gump and the
// login flow above the framework), which implements it; main installs it.
class ShardChoice {
public:
    static constexpr const char* kServiceName = "ShardChoice";
    virtual ~ShardChoice() = default;

    // A row of the shard list was chosen: its text becomes the chosen
    // shard's name and the shard of that id is selected.
    virtual void SelectShard(int id, const char* name) = 0;
    // The sort buttons: orders the list's rows by key 0 (the first byte of
    // the shard table), 1 (the second) or 2 (the ping time, after pinging).
    virtual void SortShards(CScrollChoiceGump* list, int key) = 0;
    // The shard list closed without a choice: back to the main menu, the
    // game connection closed, the window title cleared.
    virtual void ShardListCancelled() = 0;
};

// The choice table and the mouse bookkeeping that both lists share.
class CChoiceListGump : public CGump {
public:
    static constexpr int MAX_CHOICES = 100;
    static constexpr int TEXT_SIZE = 80;
    static constexpr int DEFAULT_HUE = 902;
    static constexpr int NO_MARKER = -1;

    ~CChoiceListGump() override;

    // Appends a choice (its text cut to TEXT_SIZE - 1 characters); refused
    // once the table holds MAX_CHOICES.  Hue 0 is the default hue.
    void AddChoice(int id, const char* text, int hue);
    // Empties every text of the table; count is reset by the caller.
    void ClearChoices();
    // The row under a point of the gump, or -1: inside the list rectangle
    // (edges included) and on a row that holds a choice.
    int RowAt(int x, int y) const;
    // Height of one row in the mapping font; 0 when the font is missing.
    int RowHeight() const;
    // Repaints the bitmap.
    virtual void Render() = 0;

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseMoveAway() override;
    void Tick() override;
    void HandleScroll(int value, int range, CGump* thumb) override;
    BOOL IsInGameArea() override { return TRUE; }

    int ids[MAX_CHOICES] = {};
    M_WORD hues[MAX_CHOICES] = {};
    char texts[MAX_CHOICES][TEXT_SIZE] = {};
    M_WORD wideTexts[MAX_CHOICES][TEXT_SIZE] = {};
    char title[TEXT_SIZE] = {};
    int count = 0;
    int firstVisible = 0;
    int hovered = -1;
    int markers[3] = {NO_MARKER, NO_MARKER, NO_MARKER};
    RECT listRect{0, 0, 0, 0};
    FieldLink inputControl;
    BOOL wide = FALSE;
    // 1 until a choice is taken (scroll list); set by a right click.
    BOOL cancelled = TRUE;
    int pressX = 0, pressY = 0;
    BOOL held = FALSE;
    int clickState = 0;
    M_DWORD firstClickTime = 0;
    int longPress = 0;
    int tickCounter = 0;
    // TRUE from a first press until a tick or the release has taken its
    // choice.
    BOOL pressUntaken = FALSE;
    int frameArt = 0;

protected:
    CChoiceListGump(int x, int y, int width, int height, CGump* owner, CInputControlGump* field,
                    int frameArt, BOOL wide);
    CChoiceListGump();
    // Takes the choice at a point of the gump; may close the gump.
    virtual void TakeChoiceAt(int x, int y) = 0;
    // Copies the row into the input field and tells the owner; FALSE
    // without a field.
    BOOL FillField(int row);
    // Paints the title and the rows in that font over the bitmap; hovered
    // rows (and with allHovered every row) in hoverHue.
    void PaintRows(int font, int hoverHue, BOOL allHovered, BOOL markersOnEveryRow);
    // The font rows are mapped with.
    int mappingFont = 5;
};

class CScrollChoiceGump : public CChoiceListGump {
public:
    static constexpr int LIST_FONT = 5;
    static constexpr int HOVER_HUE = 53;
    static constexpr int THUMB_ART = 254;
    static constexpr int UP_ART = 250, UP_PRESSED_ART = 251;
    static constexpr int DOWN_ART = 252, DOWN_PRESSED_ART = 253;
    static constexpr int TRACK_BOTTOM_ART = 255, TRACK_MIDDLE_ART = 256, TRACK_TOP_ART = 257;
    static constexpr int FIRST_MARKER_ART = 2360;
    static constexpr int SORT_LABEL_HUE = 1153, SORT_LABEL_FONT = 9;

    CScrollChoiceGump(CGump* owner, int frameArt, int x, int y, int width, int height,
                      CInputControlGump* field, BOOL sortVariant, BOOL wide);
    // Only the defaults: for a derived list that lays itself out.
    CScrollChoiceGump();
    ~CScrollChoiceGump() override;

    using CChoiceListGump::AddChoice;
    void AddChoice(int id, const M_WORD* text, int hue);
    // Repaints the bitmap after the table changed.
    void RenderChoices();
    void Render() override { RenderChoices(); }
    // Takes the choice at a point: fills the field and closes the list, or
    // selects the shard.
    virtual void ChooseAt(int x, int y);

    void HandleRButtonUp(int x, int y) override;
    void SetCloseOnRightClick(BOOL on) { closeOnRightClick = on; }

    // The callbacks of the scroll arrows and of the sort buttons.
    void ChoiceScrollUp();
    void ChoiceScrollDown();
    void SortShardsA();
    void SortShardsB();
    void PingAndSortShards();

    int columnX = 0;
    int columnTop = 1;
    int columnBottom = 0;
    int listFont = LIST_FONT;
    CThumbGump* thumb = nullptr;
    BOOL sortVariant = FALSE;
    BOOL closeOnRightClick = FALSE;

protected:
    void TakeChoiceAt(int x, int y) override { ChooseAt(x, y); }

private:
    void Scroll(int step);
};

class CPanelChoiceGump : public CChoiceListGump {
public:
    static constexpr int PANEL_FONT = 9;
    static constexpr int HOVER_HUE = 33;

    CPanelChoiceGump(int x, int y, int width, int height, CGump* owner, CInputControlGump* field,
                     int frameArt, BOOL wide);

    // Repaints the bitmap after the table changed.
    void RedrawFrame() override;
    void Render() override { RedrawFrame(); }

    void HandleLButtonDown(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseMoveAway() override;
    BOOL IsDisposable() override { return FALSE; }

    BOOL pointerOver = FALSE;

protected:
    void TakeChoiceAt(int x, int y) override;
};
