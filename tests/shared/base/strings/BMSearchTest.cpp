#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>
#include <string>

#include "strings/BMSearch.h"

namespace {

int NaiveSearchNoCase(const std::string& pattern, const std::string& text) {
    for (size_t i = 0; i + pattern.size() <= text.size(); ++i) {
        size_t j = 0;
        while (j < pattern.size() && tolower(static_cast<unsigned char>(text[i + j])) ==
                                         tolower(static_cast<unsigned char>(pattern[j])))
            ++j;
        if (j == pattern.size()) return static_cast<int>(i);
    }
    return -1;
}

TEST(BMSearchTest, FindsTitleWordsCaseBlind) {
    struct Case {
        const char* pattern;
        const char* text;
        int expected;
    } cases[] = {
        {"gm", "GM Zoe", 0},
        {"gm", "Zoe GM", 4},
        {"gm", "Zoe Ann", -1},
        {"lordship", "Lord", -1},  // longer than the text
        {"ab", "xxABxxab", 2},     // the first of several
        {"aba", "bbababbb", 2},
        {"abcab", "abcabcabcab", 0},
        {"\xC9t\xE9", "xx\xC9T\xE9", 2},  // bytes above 127 fold as unsigned
        {"", "abc", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BMSearchNoCase(c.pattern, c.text), c.expected) << c.pattern << " in " << c.text;
    EXPECT_EQ(BMSearchNoCase(nullptr, "a"), -1);
    EXPECT_EQ(BMSearchNoCase("a", nullptr), -1);
}

TEST(BMSearchTest, AgreesWithANaiveSearchOnRandomPairs) {
    // A small alphabet in both cases makes repeated prefixes and near matches
    // common, which is where the good-suffix shifts go wrong.
    const char alphabet[] = "abAB\xE4\xC4";
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> letter(0, static_cast<int>(strlen(alphabet)) - 1);
    std::uniform_int_distribution<int> patternLength(1, 7);
    std::uniform_int_distribution<int> textLength(0, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string pattern, text;
        for (int i = patternLength(rng); i > 0; --i) pattern += alphabet[letter(rng)];
        for (int i = textLength(rng); i > 0; --i) text += alphabet[letter(rng)];
        ASSERT_EQ(BMSearchNoCase(pattern.c_str(), text.c_str()), NaiveSearchNoCase(pattern, text))
            << "pattern '" << pattern << "' text '" << text << "'";
    }
}

}  // namespace
