// Measuring and line breaking of Unicode text.
#include <algorithm>
#include <vector>

#include "TWReport.h"
#include "resources/UnicodeFont.h"
#include "resources/UnicodeLines.h"

namespace {

bool IsCJK(M_WORD c) {
    return (c >= 0x3000 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF);
}

// Characters no line may end with.
bool IsOpening(M_WORD c) {
    static const M_WORD kOpening[] = {
        0x22,   0x24,   0x27,   0x28,   0x5B,   0x5C,   0x7B,   0xA3,   0xA5,   0x3008, 0x300A,
        0x300C, 0x300E, 0x3010, 0x3014, 0xFF04, 0xFF08, 0xFF3B, 0xFF5B, 0xFF62, 0xFFE1, 0xFFE5};
    return std::find(std::begin(kOpening), std::end(kOpening), c) != std::end(kOpening);
}

// Characters no line may start with.
bool IsClosing(M_WORD c) {
    static const M_WORD kClosing[] = {
        0x21,   0x22,   0x25,   0x27,   0x29,   0x2C,   0x2E,   0x3A,   0x3B,   0x3F,   0x5D,
        0x7D,   0xA2,   0xB0,   0x2030, 0x2032, 0x2033, 0x2103, 0x3001, 0x3002, 0x3005, 0x3009,
        0x300B, 0x300D, 0x300F, 0x3011, 0x3015, 0x309B, 0x309C, 0x309D, 0x309E, 0x30FB, 0x30FD,
        0x30FE, 0xFF01, 0xFF05, 0xFF09, 0xFF0C, 0xFF0E, 0xFF1A, 0xFF1B, 0xFF1F, 0xFF3D, 0xFF5D,
        0xFF61, 0xFF63, 0xFF64, 0xFF65, 0xFF9E, 0xFF9F, 0xFFE0};
    return std::find(std::begin(kClosing), std::end(kClosing), c) != std::end(kClosing);
}

bool IsLineEnd(M_WORD c) {
    return c == 10 || c == 13;
}

}  // namespace

int UnicodeGetStringWidth(const M_WORD* text) {
    int width = 0;
    for (; text && *text; ++text) width += UnicodeGetCharWidth(*text);
    return width;
}

int UnicodeGetStringWidthN(int n, const M_WORD* text) {
    int width = 0;
    for (int i = 0; text && i < n && text[i]; ++i) width += UnicodeGetCharWidth(text[i]);
    return width;
}

int UnicodeGetWordWidth(const M_WORD* text) {
    int width = 0;
    for (int i = 0; text && text[i] && text[i] != ' '; ++i) {
        width += UnicodeGetCharWidth(text[i]);
        if (text[i + 1] && text[i + 2] && UnicodeCanBreakBetween(text[i + 1], text[i + 2])) break;
    }
    return width;
}

int UnicodeCountCharsInWidth(const M_WORD* text, int width) {
    int left = width, n = 0;
    for (; text && text[n]; ++n) {
        const int w = UnicodeGetCharWidth(text[n]);
        if (left <= w) break;
        left -= w;
    }
    return n;
}

void UnicodeCalcInfoLine(const M_WORD* text, int* width, int* height, int* baseline) {
    int w = 0;
    if (!text) {
        TWReport::error("UnicodeCalcInfo: text == 0. code may have crashed. setting width to 0.\n");
    } else {
        for (; *text; ++text)
            if (UnicodeGetGlyphInfo(*text)) w += UnicodeGetCharWidth(*text);
    }
    if (width) *width = w;
    if (height) *height = UNICODE_LINE_HEIGHT;
    if (baseline) *baseline = 0;
}

int UnicodeFindLineBreak(const M_WORD* text, int width) {
    if (!text) return -2;
    int total = 0, candidate = -1;
    bool haveCandidate = false;
    for (int i = 0; text[i]; ++i) {
        const M_WORD c = text[i];
        if (i >= 2 && (c == ' ' || UnicodeCanBreakBetween(text[i - 1], c))) {
            candidate = i - 1;
            haveCandidate = true;
        }
        if (IsLineEnd(c)) return i - 1;
        total += UnicodeGetCharWidth(c);
        if (total > width) {
            if (haveCandidate) return candidate;
            return i == 0 ? -2 : i - 1;
        }
    }
    return -2;
}

BOOL UnicodeCanBreakBetween(M_WORD previous, M_WORD current) {
    if (!IsCJK(previous) && !IsCJK(current)) return FALSE;
    if (previous == 0 || current == 0) return TRUE;
    if (IsOpening(previous)) return FALSE;
    if (IsClosing(current)) return FALSE;
    return TRUE;
}

UnicodeLineWrapper::UnicodeLineWrapper(const M_WORD* text, int wrapWidth) : wrapWidth_(wrapWidth) {
    for (; text && *text; ++text) text_.push_back(*text);
    text_.push_back(0);
}

bool UnicodeLineWrapper::Next(std::vector<M_WORD>* line) {
    if (done_) return false;
    start_ = pos_;
    const M_WORD* rest = text_.data() + pos_;
    const int left = static_cast<int>(text_.size()) - 1 - pos_;
    int b = UnicodeFindLineBreak(rest, wrapWidth_);
    const int kMaxLine = UNICODE_LINE_BUFFER - 1;
    if (b == -2 && left > kMaxLine) b = kMaxLine - 1;  // too long for one line
    if (b + 1 > kMaxLine) b = kMaxLine - 1;
    if (b == -2) {
        line->assign(rest, rest + left);
        pos_ += left;
        done_ = true;
    } else {
        line->assign(rest, rest + (b + 1));
        pos_ += b + 1;
        const M_WORD next = text_[pos_];
        if (next == ' ' || IsLineEnd(next)) ++pos_;
    }
    line->push_back(0);
    return true;
}

void UnicodeCalcInfo(const M_WORD* text, int wrapWidth, int* width, int* height, int* baseline) {
    if (!text) return;
    UnicodeLineWrapper lines(text, wrapWidth);
    std::vector<M_WORD> line;
    int maxWidth = 0, count = 0;
    while (lines.Next(&line)) {
        int w;
        UnicodeCalcInfoLine(line.data(), &w, nullptr, nullptr);
        maxWidth = std::max(maxWidth, w);
        ++count;
    }
    if (width) *width = maxWidth;
    if (height) *height = UNICODE_LINE_HEIGHT * count;
    if (baseline) *baseline = 0;
}

void UnicodeGetStringWrapEndXY(int n, const M_WORD* text, int wrapWidth, int* x, int* y) {
    int px = 0, py = 0;
    if (text) {
        UnicodeLineWrapper lines(text, wrapWidth);
        n = std::clamp(n, 0, lines.Length());
        std::vector<M_WORD> line;
        while (lines.Next(&line)) {
            // A dropped space or line end belongs to the line before it.
            if (n < lines.End() || lines.End() >= lines.Length()) {
                px = UnicodeGetStringWidthN(n - lines.Start(), line.data());
                break;
            }
            py += UNICODE_LINE_HEIGHT;
        }
    }
    if (x) *x = px;
    if (y) *y = py;
}

int UnicodeFitStringToRect(const M_WORD* text, int wrapWidth, int maxWidth, int maxHeight) {
    if (!text) return 0;
    int length = 0;
    while (text[length]) ++length;
    for (int n = length; n > 0; --n) {
        int x, y;
        UnicodeGetStringWrapEndXY(n, text, wrapWidth, &x, &y);
        if (x <= maxWidth && y <= maxHeight) return n;
    }
    return 0;
}
