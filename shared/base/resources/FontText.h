// Internal to the font manager: the working copy of a text and the line
// loop that wrapping, measuring and drawing share.
#pragma once

#include <string>

// Copies text into a working buffer of FontManager::TEXT_BUFFER_SIZE bytes:
// a text of 255 characters or more is logged as "<routine> - OVERFLOW: msg
// is %d bytes" and cut to its first 255.
std::string FontWorkingCopy(const char* text, const char* routine);

// Cuts a text into wrapped lines the way every wrapping routine does: each
// line ends at FontManager::FindLineBreak; the space after a line is dropped;
// with indent > 0 every later line starts with that many spaces.
class FontLineWrapper {
public:
    FontLineWrapper(int font, std::string text, int wrapWidth, int indent);

    // The next line and the index, in the original text, of the first
    // character after the line and its dropped space.  False after the last.
    bool Next(std::string* line, int* consumedEnd);
    // The original index of the line's first character (indent spaces
    // excluded) that Next returned last.
    int LineStart() const { return lineStart_; }

private:
    int font_;
    std::string rest_;
    int wrapWidth_;
    int indent_;
    int prefixed_ = 0;  // indent spaces at the front of rest_
    int consumed_ = 0;  // original characters before rest_
    int lineStart_ = 0;
    bool done_ = false;
};
