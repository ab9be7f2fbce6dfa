#include "strings/BMSearch.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace {

// Bytes are taken as unsigned before folding: tolower of a negative char is
// undefined.
int fold(char c) {
    return tolower(static_cast<unsigned char>(c));
}

// suffix[i]: the length of the longest substring ending at i that is also a
// suffix of the pattern.
std::vector<int> suffixLengths(const std::vector<int>& x) {
    const int m = static_cast<int>(x.size());
    std::vector<int> suffix(m);
    suffix[m - 1] = m;
    int g = m - 1;
    int f = m - 1;
    for (int i = m - 2; i >= 0; --i) {
        if (i > g && suffix[i + m - 1 - f] < i - g) {
            suffix[i] = suffix[i + m - 1 - f];
        } else {
            if (i < g) g = i;
            f = i;
            while (g >= 0 && x[g] == x[g + m - 1 - f]) --g;
            suffix[i] = f - g;
        }
    }
    return suffix;
}

// good[j]: how far the pattern may move when its last j characters matched
// and the one before them did not.
std::vector<int> goodSuffixTable(const std::vector<int>& x) {
    const int m = static_cast<int>(x.size());
    std::vector<int> suffix = suffixLengths(x);
    // byPosition[p]: the shift for a mismatch at pattern position p.
    std::vector<int> byPosition(m, m);
    int j = 0;
    for (int i = m - 1; i >= 0; --i)
        if (suffix[i] == i + 1)
            for (; j < m - 1 - i; ++j)
                if (byPosition[j] == m) byPosition[j] = m - 1 - i;
    for (int i = 0; i <= m - 2; ++i) byPosition[m - 1 - suffix[i]] = m - 1 - i;
    std::vector<int> good(m);
    for (int k = 0; k < m; ++k) good[k] = byPosition[m - 1 - k];
    return good;
}

}  // namespace

int BMSearchNoCase(const char* pattern, const char* text) {
    if (!pattern || !text) return -1;
    const int m = static_cast<int>(strlen(pattern));
    const int n = static_cast<int>(strlen(text));
    if (m == 0) return 0;
    if (m > n) return -1;

    std::vector<int> x(m);
    for (int i = 0; i < m; ++i) x[i] = fold(pattern[i]);
    int bad[256];
    for (int& entry : bad) entry = m;
    for (int i = 0; i < m; ++i) bad[x[i]] = m - 1 - i;
    std::vector<int> good = goodSuffixTable(x);

    // i: the text position under the pattern's last character.
    for (int i = m - 1; i < n;) {
        int j = 0;
        while (j < m && fold(text[i - j]) == x[m - 1 - j]) ++j;
        if (j == m) return i - m + 1;
        int byBad = (i - j) + bad[fold(text[i - j])];
        int byGood = i + good[j];
        i = byBad > byGood ? byBad : byGood;
    }
    return -1;
}
