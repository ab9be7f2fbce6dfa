// CGenericGump: a window whose whole content the server describes in a small
// text layout language (message 0xB0): pictures, framed backgrounds, text,
// buttons, check boxes, radio buttons and text entries, spread over pages and
// nested groups.  The layout is parsed once into a tree of
// CGenericGumpElement nodes, drawn into the gump's own frame, and answered
// with the generic gump reply (message 0xB1) when a reply button is pressed
// or the gump is closed with the right button.
//
// Layout commands, each in braces ("{page 2}", "{button 10 20 1 2 1 0 5}"):
//   page p | nodispose | nomove | noclose | group g
//   gumppic x y art | tilepic x y art | resizepic x y art w h
//   text x y hue line | textentry x y w h hue id line
//   button x y released pressed reply page id
//   checkbox x y off on state id | radio x y off on state id
// Everything in the layout comes from the server: positions and sizes are
// clamped to 0..MAX_EXTENT, text line numbers outside the list give empty
// text, groups nest at most MAX_GROUP_DEPTH deep, and a command longer than
// its buffer is cut.  Main thread only.
#pragma once

#include <memory>
#include <vector>

#include "TWTypes.h"
#include "gumps/Gump.h"

struct PDSTRUCT;

class CGenericGumpElement {
public:
    enum Kind {
        GROUP = 0,
        GUMP_PICTURE = 1,
        TILE_PICTURE = 2,
        RESIZE_FRAME = 3,
        TEXT = 4,
        BUTTON = 5,
        CHECKBOX = 6,
        RADIO = 7,
        TEXT_ENTRY = 8,
    };
    ~CGenericGumpElement();

    CGenericGumpElement* parent = nullptr;
    int page = 0;
    int groupPage = 1;
    int group = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int art = 0;
    int secondArt = 0;
    CGenericGumpElement* firstChild = nullptr;
    CGenericGumpElement* next = nullptr;
    int kind = GROUP;
    // Text and text entries: the text, zero-terminated.
    std::vector<M_WORD> text;
    int buttonFlags = 0;
    int id = 0;
    int value = 0;
    int state = 0;

    // The node (or a visible descendant, the last in list order) under the
    // point, or null.
    CGenericGumpElement* HitTest(int px, int py);
    CGenericGumpElement* FindGroup(int number);
    // The number of group nodes above this node.
    int Depth() const;
};

class CGenericGump : public CGump {
public:
    static constexpr int MAX_EXTENT = 4096;
    static constexpr int MAX_GROUP_DEPTH = 16;
    static constexpr int COMMAND_BUFFER = 1024;
    static constexpr int MAX_ENTRY_LENGTH = 239;
    static constexpr int REPLY_BUTTON = 1;
    static constexpr int PAGE_BUTTON = 2;

    // layout: zero-terminated 8-bit text; lines: count zero-terminated
    // M_WORD texts (the caller's; each text element copies its line).
    // Parses, draws and links itself at the front of the top-level gumps.
    CGenericGump(int x, int y, const char* layout, const M_WORD* const* lines, int lineCount,
                 M_DWORD serial, M_DWORD gumpId);
    ~CGenericGump() override;

    // Builds message 0xB1 for that button into packet; FALSE (nothing
    // built) when the reply would not fit.
    BOOL BuildReply(PDSTRUCT* packet, M_DWORD button);
    // Sends 0xB1 to the game connection (nothing for serial 0 or with no
    // connection).
    void SendReply(M_DWORD button);
    void Redraw();
    void EndTextEntry();
    void SetPage(int newPage) { currentPage = newPage; }
    void GrowFrame(int minWidth, int minHeight);
    CGenericGumpElement* FindGroup(int number);

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;
    int HandleKey(int code) override;
    void Deactivate() override { EndTextEntry(); }
    BOOL IsGenericGump() override { return TRUE; }
    BOOL IsDisposable() override { return disposable; }

    int currentPage = 1;
    BOOL buttonHeld = FALSE;
    int pressX = 0, pressY = 0;
    BOOL movable = TRUE;
    BOOL disposable = TRUE;
    BOOL closable = TRUE;
    M_DWORD serial;
    M_DWORD gumpId;
    CGenericGumpElement* firstElement = nullptr;
    CGenericGumpElement* pressedElement = nullptr;
    CGenericGumpElement* focusedEntry = nullptr;

private:
    void Parse(const char* layout, const M_WORD* const* lines, int lineCount);
    void Command(const char* word, const char* arguments, const M_WORD* const* lines,
                 int lineCount);
    // Appends node to the list the current group chooses; deletes it and
    // returns null when that group is not found.
    CGenericGumpElement* Append(CGenericGumpElement* node);
    void DrawElement(CGenericGumpElement* node);
    void Press(CGenericGumpElement* node);
    // FALSE when the gump was closed.
    BOOL Release(CGenericGumpElement* node, int px, int py);

    int parsePage_ = 0;
    int parseGroup_ = 0;
};

// The layout's numbers: up to count decimal fields separated by blanks;
// fields that are missing or not numbers are 0.
void ScanLayoutNumbers(const char* text, int* values, int count);
