// Internal to the font manager: the working copy of a text and the line
// loop that wrapping, measuring and drawing share.
#pragma once

#include <cstddef>
#include <vector>

// A zero-terminated 8-bit text.  Kept in a vector, not a std::string: these
// objects then carry no out-of-line member of the string class, which the
// linker could otherwise take from them for an unrelated program.
class FontText {
public:
    FontText() : chars_(1, 0) {}
    FontText(const char* text, size_t n) : chars_(text, text + n) { chars_.push_back(0); }

    const char* c_str() const { return chars_.data(); }
    size_t size() const { return chars_.size() - 1; }
    bool empty() const { return size() == 0; }
    char operator[](size_t i) const { return chars_[i]; }
    void push_back(char c) { chars_.insert(chars_.end() - 1, c); }
    void pop_back() {
        if (!empty()) chars_.erase(chars_.end() - 2);
    }
    FontText prefix(size_t n) const { return FontText(c_str(), n < size() ? n : size()); }
    void dropFront(size_t n) {
        chars_.erase(chars_.begin(), chars_.begin() + (n < size() ? n : size()));
    }
    void insertFront(size_t n, char c) { chars_.insert(chars_.begin(), n, c); }

private:
    std::vector<char> chars_;
};

// Copies text into a working buffer of FontManager::TEXT_BUFFER_SIZE bytes:
// a text of 255 characters or more is logged as "<routine> - OVERFLOW: msg
// is %d bytes" and cut to its first 255.
FontText FontWorkingCopy(const char* text, const char* routine);

// Cuts a text into wrapped lines the way every wrapping routine does: each
// line ends at FontManager::FindLineBreak; the space after a line is dropped;
// with indent > 0 every later line starts with that many spaces.
class FontLineWrapper {
public:
    FontLineWrapper(int font, FontText text, int wrapWidth, int indent);

    // The next line and the index, in the original text, of the first
    // character after the line and its dropped space.  False after the last.
    bool Next(FontText* line, int* consumedEnd);
    // The original index of the line's first character (indent spaces
    // excluded) that Next returned last.
    int LineStart() const { return lineStart_; }

private:
    int font_;
    FontText rest_;
    int wrapWidth_;
    int indent_;
    int prefixed_ = 0;  // indent spaces at the front of rest_
    int consumed_ = 0;  // original characters before rest_
    int lineStart_ = 0;
    bool done_ = false;
};
