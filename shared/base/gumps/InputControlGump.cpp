// The input field's life, mouse and keys: construction, the click that
// takes the keyboard and places the caret, the double click, and editing.
#include "gumps/InputControlGump.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Clock.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "resources/FontManager.h"
#include "resources/GumpArt.h"

CInputControlGump* CInputControlGump::pendingTargetField = nullptr;

namespace {

int artWidth(int art) {
    int w = 0;
    GetGumpArtSize(art, &w, nullptr);
    return w;
}

int artHeight(int art) {
    int h = 0;
    GetGumpArtSize(art, nullptr, &h);
    return h;
}

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
bool isLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// How far back a caret that left the shown part to the left scrolls.
constexpr int kScrollBack = 8;

}  // namespace

CInputControlGump::CInputControlGump(int xIn, int yIn, CGump*, int widthIn, int heightIn,
                                     int modeIn, int maxIn, int fontIn, int hueIn, BOOL editableIn,
                                     BOOL centredIn, int)
    : CGump(xIn, yIn, nullptr, nullptr, 1, widthIn, heightIn),
      editable(editableIn),
      centred(centredIn),
      clearBackground(TRUE),
      mode(static_cast<M_BYTE>(modeIn)),
      font(static_cast<M_WORD>(fontIn)),
      hue(static_cast<M_WORD>(hueIn)) {
    Init(modeIn, maxIn);
}

CInputControlGump::CInputControlGump(int xIn, int yIn, int widthIn, int heightIn, CGump*, int artIn,
                                     int alternativeArtIn, int modeIn, int maxIn, int fontIn,
                                     int hueIn, BOOL editableIn, BOOL centredIn, int)
    : CGump(xIn, yIn, nullptr, nullptr, 1, widthIn, heightIn),
      editable(editableIn),
      centred(centredIn),
      mode(static_cast<M_BYTE>(modeIn)),
      art(artIn),
      alternativeArt(alternativeArtIn),
      font(static_cast<M_WORD>(fontIn)),
      hue(static_cast<M_WORD>(hueIn)) {
    Init(modeIn, maxIn);
}

CInputControlGump::CInputControlGump(SizedFromArt, int xIn, int yIn, CGump*, int artIn,
                                     int alternativeArtIn, int modeIn, int maxIn, int fontIn,
                                     int hueIn, BOOL editableIn, BOOL centredIn, int tiledWidth)
    : CGump(xIn, yIn, nullptr, nullptr, 1, tiledWidth ? tiledWidth : artWidth(artIn),
            artHeight(artIn) + 1),
      editable(editableIn),
      centred(centredIn),
      tiledBar(tiledWidth != 0),
      mode(static_cast<M_BYTE>(modeIn)),
      art(artIn),
      alternativeArt(alternativeArtIn),
      font(static_cast<M_WORD>(fontIn)),
      hue(static_cast<M_WORD>(hueIn)) {
    Init(modeIn, maxIn);
}

void CInputControlGump::Init(int modeIn, int maxIn) {
    name = "InputControl gump";
    // The text buffer holds MAX_TEXT characters; a larger maximum would let
    // typing run past it.
    max = modeIn == NUMBER ? std::max(0, maxIn) : std::clamp(maxIn, 0, static_cast<int>(MAX_TEXT));
    caret = modeIn == NUMBER ? 1 : 0;
    NewFrameBlock(0, width, height);
    RedrawText();
}

CInputControlGump::~CInputControlGump() {
    if (pendingTargetField == this) pendingTargetField = nullptr;
    FieldLink::FieldClosing(this);
    // The base destructor forgets the gump everywhere, the active gump
    // included, and frees the bitmap.
}

BOOL CInputControlGump::HitTest(int px, int py) {
    return px >= 0 && py >= 0 && px < FrameWidth(0) && py < FrameHeight(0);
}

void CInputControlGump::SetText(const char* newText) {
    const int limit = mode == NUMBER ? MAX_TEXT : std::min(max, static_cast<int>(MAX_TEXT));
    snprintf(text, static_cast<size_t>(limit) + 1, "%s", newText ? newText : "");
    caret = mode == NUMBER ? 1 : 0;
    scroll = 0;
}

int CInputControlGump::TextLength() const {
    return static_cast<int>(strnlen(text, MAX_TEXT));
}

const char* CInputControlGump::Shown(char* buffer) const {
    if (mode == NUMBER) {
        snprintf(buffer, TEXT_SIZE, "%d", value);
        return buffer;
    }
    if (masked) {
        const int n = TextLength();
        std::fill_n(buffer, n, '*');
        buffer[n] = 0;
        return buffer;
    }
    return text;
}

int CInputControlGump::ShownLength() const {
    char buffer[TEXT_SIZE];
    return static_cast<int>(strlen(Shown(buffer)));
}

// ---- Links kept by the lists ---------------------------------------------------

FieldLink* FieldLink::firstLink_ = nullptr;

FieldLink::FieldLink() : nextLink_(firstLink_) {
    if (firstLink_) firstLink_->prevLink_ = this;
    firstLink_ = this;
}

FieldLink::~FieldLink() {
    if (prevLink_)
        prevLink_->nextLink_ = nextLink_;
    else
        firstLink_ = nextLink_;
    if (nextLink_) nextLink_->prevLink_ = prevLink_;
}

void FieldLink::FieldClosing(const CInputControlGump* field) {
    for (FieldLink* link = firstLink_; link; link = link->nextLink_)
        if (link->field_ == field) link->field_ = nullptr;
}

// ---- Mouse ------------------------------------------------------------------

void CInputControlGump::HandleLButtonDown(int px, int py) {
    GumpHandle self(this);
    if (parent) {
        BringToFront(parent, 0);
        parent->HandleChildEvent(this);
        if (!self) return;
    }
    if (editable && !readOnly) {
        CGumpManager::DeactivateGump();
        CGumpManager::SetActiveGump(this);
        char buffer[TEXT_SIZE];
        const char* shown = Shown(buffer);
        const int length = static_cast<int>(strlen(shown));
        scroll = std::clamp(scroll, 0, length);
        if (mode == NUMBER)
            caret = length;
        else if (wrap)
            caret =
                scroll + FontManager::FitStringToRect(font, shown + scroll, width - 6, px - 1, py);
        else
            caret = scroll + FontManager::CountCharsInWidth(font, shown + scroll, px - 1);
        RedrawText();
    } else if (mode == LIST && !readOnly && parent) {
        parent->OpenListBox(this);
        if (!self) return;
    }
    pressed = TRUE;
    pressX = px;
    pressY = py;
    if (clickState != 1) {
        clickState = 1;
        firstClickTime = GetTimeMs();
    } else {
        clickState = 2;
    }
}

void CInputControlGump::HandleLButtonUp(int, int) {
    pressed = FALSE;
    MouseManager::SetCapture(nullptr);
    if (longPress) {
        longPress = 0;
        clickState = 0;
        return;
    }
    if (clickState == 2) {
        clickState = 0;
        SelectMobileTarget();
    }
}

void CInputControlGump::HandleRButtonUp(int px, int py) {
    MouseManager::SetCapture(nullptr);
    if (parent) parent->HandleRButtonUp(px, py);
}

void CInputControlGump::HandleMouseMove(int, int) {
    if (hovered) return;
    hovered = TRUE;
    if (RedrawsOnHover()) RedrawText();
}

void CInputControlGump::HandleMouseMoveAway() {
    if (!hovered) return;
    hovered = FALSE;
    if (RedrawsOnHover()) RedrawText();
}

void CInputControlGump::Tick() {
    if (clickState == 1 &&
        GetTimeMs() - firstClickTime > static_cast<M_DWORD>(GetDoubleClickTime())) {
        clickState = 0;
        if (pressed) longPress = 1;
    }
}

void CInputControlGump::Deactivate() {
    RedrawText();
}

// ---- Keys ---------------------------------------------------------------------

void CInputControlGump::KeepCaretVisible() {
    // A fit-width field never outgrows its line, and a wrapping field keeps
    // its whole text inside its rows: scrolling them would only hide the
    // start of the text.
    if (fitWidth || wrap) return;
    char buffer[TEXT_SIZE];
    const char* shown = Shown(buffer);
    const int length = static_cast<int>(strlen(shown));
    scroll = std::clamp(scroll, 0, length);
    const int fits = FontManager::CountCharsInWidth(font, shown + scroll, width - 12);
    if (scroll + fits > caret) return;
    int excess = FontManager::GetStringWidth(font, caret - (scroll + fits), shown + scroll + fits);
    while (excess > 0 && scroll < length - 1) {
        excess -= FontManager::GetCharWidth(font, static_cast<unsigned char>(shown[scroll]));
        ++scroll;
    }
}

BOOL CInputControlGump::Erase(BOOL forward) {
    if (mode == NUMBER) {
        if (value == 0) return FALSE;
        value /= 10;
        if (caret > 1) --caret;
    } else {
        const int length = TextLength();
        if (length == 0) return FALSE;
        caret = std::clamp(caret, 0, length);
        if (forward) {
            if (caret >= length) return FALSE;
            ++caret;
        }
        if (caret > 0) {
            memmove(text + caret - 1, text + caret, static_cast<size_t>(length - caret + 1));
            --caret;
        }
    }
    if (caret < scroll) scroll = std::max(0, scroll - kScrollBack);
    return TRUE;
}

BOOL CInputControlGump::Accepts(int code) const {
    if (code < 32 || code > 255 || !FontManager::HasGlyph(font, code)) return FALSE;
    if (alphanumericOnly && !isDigit(code) && !isLetter(code)) return FALSE;
    if (nameCharsOnly && !isDigit(code) && !isLetter(code) && code != ' ' && code != '\'' &&
        code != '-' && code != '.')
        return FALSE;
    return TRUE;
}

BOOL CInputControlGump::Type(int code) {
    if (mode == NUMBER) {
        if (!isDigit(code)) return FALSE;
        const long long next = static_cast<long long>(value) * 10 + (code - '0');
        if (next > max) return FALSE;
        value = static_cast<int>(next);
        ++caret;
        return TRUE;
    }
    if (!Accepts(code)) return FALSE;
    const int length = TextLength();
    if (length >= max) return FALSE;
    const int oldCaret = std::clamp(caret, 0, length), oldScroll = scroll;
    memmove(text + oldCaret + 1, text + oldCaret, static_cast<size_t>(length - oldCaret + 1));
    text[oldCaret] = static_cast<char>(code);
    caret = oldCaret + 1;
    KeepCaretVisible();

    // The text with the caret mark must still fit the field: a wrapping
    // field by height, a fit-width field by width.  Otherwise the character
    // goes again and everything is as before.
    bool fits = true;
    if (wrap || fitWidth) {
        char withCaret[TEXT_SIZE + 1];
        snprintf(withCaret, sizeof withCaret, "%s_", text);
        int w = 0, h = 0, b = 0;
        if (wrap) {
            FontManager::CalcInfoWrap(font, withCaret, width - 6, &w, &h, &b, 0);
            fits = h < height;
        } else {
            FontManager::GetStringSize(font, withCaret, &w, &h, &b);
            fits = w < width - 6;
        }
    }
    if (!fits) {
        memmove(text + oldCaret, text + oldCaret + 1, static_cast<size_t>(length - oldCaret + 1));
        caret = oldCaret;
        scroll = oldScroll;
        return FALSE;
    }
    return TRUE;
}

int CInputControlGump::HandleKey(int code) {
    if (readOnly) return 1;
    GumpHandle self(this);
    switch (code) {
        case KEY_TAB:
            if (parent) parent->OnActivate();
            return 1;
        case KEY_ENTER:
        case KEY_LINEFEED:
            if (parent) parent->OnAccept();
            return 1;
        case KEY_ESCAPE:
            if (parent) parent->OnCancel();
            return 1;
        case KEY_UP:
        case KEY_DOWN:
            return 1;
        case KEY_HOME:
            if (mode == TEXT && caret > 0) {
                caret = scroll = 0;
                RedrawText();
            }
            return 1;
        case KEY_END: {
            const int length = ShownLength();
            if (caret < length) caret = length;
            KeepCaretVisible();
            RedrawText();
            return 1;
        }
        case KEY_LEFT:
            if (mode == TEXT && caret > 0) {
                --caret;
                if (caret < scroll) scroll = std::max(0, scroll - kScrollBack);
                RedrawText();
            }
            return 1;
        case KEY_RIGHT:
            if (mode == TEXT && caret < TextLength()) {
                ++caret;
                KeepCaretVisible();
                RedrawText();
            }
            return 1;
        case KEY_BACKSPACE:
        case KEY_DELETE:
            if (!Erase(code == KEY_DELETE)) return 1;
            break;
        default:
            if (!Type(code)) return 1;
            break;
    }
    RedrawText();
    if (parent) parent->HandleButton(this);
    return 1;
}
