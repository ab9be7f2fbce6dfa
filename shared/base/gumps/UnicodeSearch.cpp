#include "gumps/UnicodeSearch.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "resources/UnicodeFont.h"

namespace {

int length(const M_WORD* s) {
    int n = 0;
    while (s[n]) ++n;
    return n;
}

// suffix[i]: the length of the longest piece of the pattern ending at i that
// is also a suffix of the pattern.
std::vector<int> suffixLengths(const std::vector<M_WORD>& p) {
    const int m = static_cast<int>(p.size());
    std::vector<int> suffix(m);
    suffix[m - 1] = m;
    int g = m - 1, f = m - 1;
    for (int i = m - 2; i >= 0; --i) {
        if (i > g && suffix[i + m - 1 - f] < i - g) {
            suffix[i] = suffix[i + m - 1 - f];
        } else {
            g = std::min(g, i);
            f = i;
            while (g >= 0 && p[g] == p[g + m - 1 - f]) --g;
            suffix[i] = f - g;
        }
    }
    return suffix;
}

// shift[i]: how far the pattern may move when it mismatched at position i
// after matching everything right of i.
std::vector<int> goodSuffixShifts(const std::vector<M_WORD>& p) {
    const int m = static_cast<int>(p.size());
    const std::vector<int> suffix = suffixLengths(p);
    std::vector<int> shift(m, m);
    // A prefix of the pattern that is also a suffix of it.
    int j = 0;
    for (int i = m - 1; i >= 0; --i)
        if (suffix[i] == i + 1)
            for (; j < m - 1 - i; ++j)
                if (shift[j] == m) shift[j] = m - 1 - i;
    // Another occurrence of the matched suffix.
    for (int i = 0; i <= m - 2; ++i) shift[m - 1 - suffix[i]] = m - 1 - i;
    return shift;
}

// The last position of each folded character in the pattern but its last
// character, sorted by character.
std::vector<std::pair<M_WORD, int>> lastOccurrences(const std::vector<M_WORD>& p) {
    std::vector<std::pair<M_WORD, int>> last;
    for (int i = 0; i + 1 < static_cast<int>(p.size()); ++i) last.emplace_back(p[i], i);
    // Later positions win: stable order by character, then keep the last.
    std::stable_sort(last.begin(), last.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::pair<M_WORD, int>> unique;
    for (const auto& entry : last) {
        if (!unique.empty() && unique.back().first == entry.first)
            unique.back().second = entry.second;
        else
            unique.push_back(entry);
    }
    return unique;
}

int lastPosition(const std::vector<std::pair<M_WORD, int>>& last, M_WORD c) {
    auto it = std::lower_bound(last.begin(), last.end(), c,
                               [](const auto& entry, M_WORD value) { return entry.first < value; });
    return it != last.end() && it->first == c ? it->second : -1;
}

}  // namespace

int UnicodeFindNoCase(const M_WORD* pattern, const M_WORD* text) {
    if (!pattern || !text) return -1;
    const int m = length(pattern);
    const int n = length(text);
    if (m == 0) return 0;
    if (m > n) return -1;
    std::vector<M_WORD> p(m);
    for (int i = 0; i < m; ++i) p[i] = UnicodeFold(pattern[i]);
    const std::vector<int> shift = goodSuffixShifts(p);
    const std::vector<std::pair<M_WORD, int>> last = lastOccurrences(p);
    for (int j = 0; j <= n - m;) {
        int i = m - 1;
        M_WORD c = 0;
        while (i >= 0 && p[i] == (c = UnicodeFold(text[i + j]))) --i;
        if (i < 0) return j;
        j += std::max(shift[i], i - lastPosition(last, c));
    }
    return -1;
}
