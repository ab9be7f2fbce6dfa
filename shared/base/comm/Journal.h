// The journal: the last 100 lines of everything said and shown, oldest
// first, and its log file.  The text manager (gumps/TextManager.h) appends
// to it; the journal windows (comm/TextGump.h) show it and keep a pointer to
// the first line they show, which the journal moves on when that line goes.
//
// It lives from TextManager::startup to its shutdown; main thread only.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "TWTypes.h"

struct JournalLine {
    // A private copy of the line: 8-bit (text) or UTF-16 (wideText).
    std::string text;
    std::vector<M_WORD> wideText;  // zero-terminated when wide
    // The value given with the line (0 when it is in the value list).
    M_DWORD colour = 0;
    // Line height and baseline measured when the line came.
    int height = 0;
    int extra = 0;
    BOOL wide = FALSE;
    JournalLine* next = nullptr;
    JournalLine* prev = nullptr;
};

class Journal {
public:
    static constexpr int MAX_LINES = 100;

    static JournalLine* head;
    static JournalLine* tail;
    static int count;
    // While set, nothing is added to the journal.
    static BOOL off;
    // Values given with a line that are stored as 0.
    static std::vector<M_DWORD> valueList;

    static void Add(const char* text, M_DWORD colour);
    static void Add(const M_WORD* text, M_DWORD colour);
    // Frees every line.
    static void Clear();
    // Closes the log file (it opens again with the next line).
    static void CloseFile();
    // Test support: clears the journal and its state.
    static void reset();
};
