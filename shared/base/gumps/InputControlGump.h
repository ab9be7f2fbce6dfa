// The one-line (optionally wrapping) text field of the front-end and dialog
// gumps (CInputControlGump), and the field with hover and selection hues and
// an icon (CInputLineGump).
//
// A field is a child of its owner gump, linked by its creator with
// PutInGump(owner); the owner is the parent, and the field tells it of
// clicks, keys and changes through the owner's virtual operations
// (HandleChildEvent, HandleButton, OnActivate, OnAccept, OnCancel,
// SelectEntry, OpenListBox).  The field keeps its picture in frame 0, a
// bitmap of its size that RedrawText repaints whenever the text, the caret
// or the look changes; owners write the public fields directly and call
// RedrawText afterwards.  The keyboard focus is the gump manager's active
// gump.  Main thread only.
#pragma once

#include "Service.h"
#include "gumps/Gump.h"

class CDrawItem;

// What a mobile-target field asks of the application's target cursor.  The
// application implements it and main installs it at start-up.
class InputTargetCursor {
public:
    static constexpr const char* kServiceName = "InputTargetCursor";
    virtual ~InputTargetCursor() = default;

    // A target cursor is up.
    virtual BOOL IsTargeting() = 0;
    // Turns on the target cursor of that kind; the play area calls callback
    // with the object the player picks (or null).
    virtual void SetTargetCursor(int kind, void (*callback)(CDrawItem* picked)) = 0;
    // Ends targeting: cursor back to normal, the pending flag cleared.
    virtual void EndTarget() = 0;
};

class CInputControlGump;

// A field kept by a list that will fill it (the list boxes and choice lists
// live apart from the field, as top-level gumps).  The link turns null when
// the field closes, so a list never writes into a closed field.
class FieldLink {
public:
    FieldLink();
    ~FieldLink();
    FieldLink(const FieldLink&) = delete;
    FieldLink& operator=(const FieldLink&) = delete;

    CInputControlGump* get() const { return field_; }
    void set(CInputControlGump* field) { field_ = field; }
    explicit operator bool() const { return field_ != nullptr; }

    // Run by the closing field.
    static void FieldClosing(const CInputControlGump* field);

private:
    CInputControlGump* field_ = nullptr;
    // Every live link, in a list that needs no destructor of its own: the
    // gumps that hold links may be closed at exit after static objects are
    // gone.
    FieldLink* nextLink_ = nullptr;
    FieldLink* prevLink_ = nullptr;
    static FieldLink* firstLink_;
};

class CInputControlGump : public CGump {
public:
    enum Mode { TEXT = 0, NUMBER = 1, LIST = 2 };
    // The text buffer, terminator included.
    static constexpr int TEXT_SIZE = 184;
    static constexpr int MAX_TEXT = TEXT_SIZE - 1;
    static constexpr int CARET_HUE = 902;
    // Navigation keys arrive as NAV_KEY + virtual-key number.
    static constexpr int KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_ENTER = 13, KEY_LINEFEED = 10,
                         KEY_ESCAPE = 27;
    static constexpr int KEY_END = 0xE023, KEY_HOME = 0xE024, KEY_LEFT = 0xE025, KEY_UP = 0xE026,
                         KEY_RIGHT = 0xE027, KEY_DOWN = 0xE028, KEY_DELETE = 0xE02E;
    // The drop-down marks of list fields.
    static constexpr int DROP_MARK_ART = 2437, PLAIN_DROP_MARK_ART = 5009;

    // The art-less field: the background is cleared to transparent.
    CInputControlGump(int x, int y, CGump* owner, int width, int height, int mode, int max,
                      int font, int hue, BOOL editable, BOOL centred, int tiledWidth);
    // The field of a given size over an art.
    CInputControlGump(int x, int y, int width, int height, CGump* owner, int art,
                      int alternativeArt, int mode, int max, int font, int hue, BOOL editable,
                      BOOL centred, int tiledWidth);
    // The field as large as its art (one row taller); a non-zero tiled
    // width becomes its width and the art is drawn as a tiled bar.  The tag
    // tells this form from the art-less one, whose arguments have the same
    // types.
    struct SizedFromArt {};
    CInputControlGump(SizedFromArt, int x, int y, CGump* owner, int art, int alternativeArt,
                      int mode, int max, int font, int hue, BOOL editable, BOOL centred,
                      int tiledWidth);
    ~CInputControlGump() override;

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseMoveAway() override;
    void Tick() override;
    int HandleKey(int code) override;
    // Losing the keyboard: drawn again without the caret.
    void Deactivate() override;
    BOOL IsInputControlGump() override { return TRUE; }
    // Repaints the bitmap from the text, the caret and the look.
    virtual void RedrawText();

    // The double-click action: a target cursor for a mobile (when the field
    // asks for one), then the owner's SelectEntry.
    void SelectMobileTarget();
    // Where the target cursor of SelectMobileTarget reports.
    static void MobileTargetPicked(CDrawItem* picked);
    // The field waiting for a mobile to be picked, or null.
    static CInputControlGump* pendingTargetField;

    // Sets the text (cut to the buffer and to max) and puts the caret and
    // the scroll at its start.
    void SetText(const char* newText);
    int TextLength() const;
    BOOL Focused() const { return g_focusGump == this; }

    // Click bookkeeping.
    int longPress = 0;
    M_DWORD firstClickTime = 0;
    int clickState = 0;
    BOOL pressed = FALSE;
    int pressX = 0, pressY = 0;

    BOOL editable;
    BOOL masked = FALSE;
    BOOL readOnly = FALSE;
    BOOL centred;
    BOOL alphanumericOnly = FALSE;
    BOOL nameCharsOnly = FALSE;
    BOOL tiledBar = FALSE;
    BOOL clearBackground = FALSE;
    BOOL wrap = FALSE;
    BOOL fitWidth = FALSE;
    BOOL targetMobile = FALSE;
    BOOL hovered = FALSE;
    BOOL selected = FALSE;
    M_WORD emptyArt = 0, hoverArt = 0, selectedArt = 0;
    M_BYTE leftMargin = 3, topMargin = 2;
    M_BYTE mode;
    int value = 0;
    char text[TEXT_SIZE] = {};
    int art = 0;
    int alternativeArt = 0;
    // Modes 0 and 2: the longest text (at most MAX_TEXT); mode 1: the
    // largest value.
    int max;
    int caret;
    int scroll = 0;
    M_WORD font;
    M_WORD hue;

protected:
    // RedrawText with the text in that hue.
    void Paint(int textHue);
    // The hover changes the look.
    virtual BOOL RedrawsOnHover() const { return hoverArt != 0; }

private:
    void Init(int modeIn, int maxIn);
    // The characters shown: the text, one '*' per character when masked,
    // or the value's digits in mode 1.
    const char* Shown(char* buffer) const;
    int ShownLength() const;
    void KeepCaretVisible();
    // Removes the character before the caret (Backspace) or under it
    // (Delete); FALSE when nothing changed.
    BOOL Erase(BOOL forward);
    // Types one character; FALSE when it was refused.
    BOOL Type(int code);
    BOOL Accepts(int code) const;
};

class CInputLineGump : public CInputControlGump {
public:
    // The art-less field without icon or extra hues.
    CInputLineGump(int x, int y, CGump* owner, int width, int height, int mode, int max, int font,
                   int hue, BOOL editable, BOOL centred, int tiledWidth);

    void RedrawText() override;

    int iconArt = -1;
    M_WORD hoverHue = 0;
    M_WORD selectedHue = 0;

protected:
    BOOL RedrawsOnHover() const override { return hoverArt != 0 || hoverHue != 0; }
};
