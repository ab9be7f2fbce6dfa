// The case-blind search against a naive search on many random inputs, and
// its edge cases.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gumps/UnicodeSearch.h"
#include "resources/UnicodeFont.h"
#include "support/WideText.h"

namespace {

using tw::test::Wide;

int NaiveFindNoCase(const std::vector<M_WORD>& pattern, const std::vector<M_WORD>& text) {
    const int m = static_cast<int>(pattern.size()), n = static_cast<int>(text.size());
    for (int j = 0; j + m <= n; ++j) {
        int k = 0;
        while (k < m && UnicodeFold(pattern[k]) == UnicodeFold(text[j + k])) ++k;
        if (k == m) return j;
    }
    return -1;
}

TEST(UnicodeFindNoCaseTest, EdgeCases) {
    struct {
        Wide pattern;
        Wide text;
        int found;
    } const cases[] = {
        {"", "anything", 0},
        {"", "", 0},
        {"longer", "long", -1},
        {"same", "SAME", 0},
        {"same", "sama", -1},
        {"ab", "xxABxxab", 2},
        {"aba", "bbababbb", 2},
        {"aba", "abbbbbabaaba", 6},
        {"abab", "aabaabab", 4},
        {"x", "", -1},
        {{0xC9, 't', 0xC9}, {'d', 0xE9, 't', 0xC9}, 1},  // accented capitals fold
        {{0xD7}, {0xF7}, 0},                             // the raised range, as it is
        {{0x178}, {0xFF}, 0},
        {{0xDE}, {0xFE}, -1},  // past the raised range
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnicodeFindNoCase(c.pattern, c.text), c.found)
            << tw::test::Narrow(c.pattern) << " in " << tw::test::Narrow(c.text);
    EXPECT_EQ(UnicodeFindNoCase(nullptr, Wide("a")), -1);
    EXPECT_EQ(UnicodeFindNoCase(Wide("a"), nullptr), -1);
}

TEST(UnicodeFindNoCaseTest, AgreesWithANaiveSearchOnRandomInputs) {
    std::mt19937 rng(20240611);
    // Few letters, in both cases, so that patterns occur often and overlap.
    const M_WORD letters[] = {'a', 'b', 'A', 'B', 'c', 0xC0, 0xE0, 0x160, 0x161};
    std::uniform_int_distribution<int> pick(0, std::size(letters) - 1);
    for (int round = 0; round < 20000; ++round) {
        const int m = static_cast<int>(rng() % (round % 50 == 0 ? 160 : 9));
        const int n = static_cast<int>(rng() % (round % 50 == 0 ? 400 : 40));
        std::vector<M_WORD> pattern(m), text(n);
        for (M_WORD& c : pattern) c = letters[pick(rng)];
        for (M_WORD& c : text) c = letters[pick(rng)];
        // Often plant the pattern, in other cases.
        if (m <= n && rng() % 2) {
            const int at = static_cast<int>(rng() % (n - m + 1));
            for (int i = 0; i < m; ++i) text[at + i] = pattern[i] ^ (rng() % 2 ? 0x20 : 0);
        }
        std::vector<M_WORD> p0 = pattern, t0 = text;
        p0.push_back(0);
        t0.push_back(0);
        ASSERT_EQ(UnicodeFindNoCase(p0.data(), t0.data()), NaiveFindNoCase(pattern, text))
            << "round " << round;
    }
}

}  // namespace
