// Internal to the Unicode fonts: the line loop that wrapping, measuring and
// drawing share.
#pragma once

#include <vector>

#include "TWTypes.h"

// Cuts a copy of the text into lines at UnicodeFindLineBreak; the space,
// newline or carriage return after a line is dropped; a line never holds more
// than UNICODE_LINE_BUFFER - 1 characters.
class UnicodeLineWrapper {
public:
    UnicodeLineWrapper(const M_WORD* text, int wrapWidth);

    // The next line, zero-terminated; false after the last.
    bool Next(std::vector<M_WORD>* line);
    // Index in the text of the first character of the last line returned,
    // and of the first character after it and its dropped character.
    int Start() const { return start_; }
    int End() const { return pos_; }
    int Length() const { return static_cast<int>(text_.size()) - 1; }

private:
    std::vector<M_WORD> text_;
    int wrapWidth_;
    int pos_ = 0;
    int start_ = 0;
    bool done_ = false;
};
