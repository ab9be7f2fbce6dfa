#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "strings/UnicodeString.h"
#include "support/WideText.h"

namespace {

using tw::test::Narrow;
using tw::test::Wide;

TEST(UnicodeStringTest, CopyConcatenateAndDuplicate) {
    M_WORD buf[16];
    UnicodeStrcpy(buf, Wide("abc"));
    EXPECT_EQ(Narrow(buf), "abc");
    UnicodeStrcat(buf, Wide("de"));
    EXPECT_EQ(Narrow(buf), "abcde");
    EXPECT_EQ(UnicodeStrlen(buf), 5);
    EXPECT_EQ(UnicodeStrlen(nullptr), 0);

    M_WORD* copy = UnicodeStrdup(buf);
    EXPECT_NE(copy, buf);
    EXPECT_EQ(Narrow(copy), "abcde");
    delete[] copy;
    EXPECT_EQ(UnicodeStrdup(nullptr), nullptr);
}

TEST(UnicodeStringTest, StrncpyStopsAtNOrTheSourceEndAndAlwaysTerminates) {
    struct Case {
        const char* src;
        int n;
        const char* expected;
    } cases[] = {{"abcdef", 3, "abc"}, {"ab", 5, "ab"}, {"abc", 0, ""}, {"abc", -2, ""}};
    for (const auto& c : cases) {
        M_WORD buf[8];
        for (M_WORD& u : buf) u = 'x';
        UnicodeStrncpy(buf, Wide(c.src), c.n);
        EXPECT_EQ(Narrow(buf), c.expected) << c.src << " n=" << c.n;
    }
    M_WORD untouched[2] = {'q', 0};
    UnicodeStrncpy(untouched, nullptr, 1);
    UnicodeStrncpy(nullptr, Wide("a"), 1);
    EXPECT_EQ(Narrow(untouched), "q");
}

TEST(UnicodeStringTest, ComparisonsFoldOnlyAsciiLettersAndCompareUnsigned) {
    enum Fn { Cmp, Icmp, Nicmp };
    struct Case {
        Fn fn;
        Wide a;
        Wide b;
        int n;
        int expected;
    } cases[] = {
        {Cmp, "abc", "abc", 0, 0},
        {Cmp, "abc", "abd", 0, -1},
        {Cmp, "ab", "abc", 0, -1},
        {Cmp, "abc", "ABC", 0, 1},
        {Cmp, {0xFF00}, "z", 0, 1},
        {Icmp, "ABC", "abc", 0, 0},
        {Icmp, {0xC4}, {0xE4}, 0, -1},
        {Icmp, "[", "a", 0, -1},  // '[' follows 'Z' but precedes the
                                  // folded 'a'
        {Icmp, "abc", "ABD", 0, -1},
        {Icmp, "abcd", "ABC", 0, 1},
        {Nicmp, "ABx", "aby", 2, 0},
        {Nicmp, "ABx", "aby", 3, -1},
        {Nicmp, "x", "y", 0, 0},
        {Nicmp, "ab", "AB", 10, 0},
    };
    for (const auto& c : cases) {
        int got = c.fn == Cmp    ? UnicodeStrcmp(c.a, c.b)
                  : c.fn == Icmp ? UnicodeStricmp(c.a, c.b)
                                 : UnicodeStrnicmp(c.a, c.b, c.n);
        EXPECT_EQ(got, c.expected) << "fn " << c.fn << ": " << Narrow(c.a) << " vs " << Narrow(c.b);
    }
}

TEST(UnicodeStringTest, AsciiComparisonsWidenBytesOfAnyLength) {
    EXPECT_EQ(UnicodeAsciiStricmp("HeLLo", Wide("hello")), 0);
    EXPECT_EQ(UnicodeStricmpAscii(Wide("hello"), "HELLO"), 0);
    EXPECT_EQ(UnicodeAsciiStricmp("abc", Wide("abd")), -1);
    EXPECT_EQ(UnicodeStricmpAscii(Wide("abc"), "abd"), -1);
    EXPECT_EQ(UnicodeAsciiStricmp("\xE9", Wide({0xE9})), 0);  // zero-extended, not 0xFFE9
    std::string longText(5000, 'q');
    EXPECT_EQ(UnicodeAsciiStricmp(longText.c_str(), Wide(longText)), 0);
    EXPECT_EQ(UnicodeAsciiStricmp((longText + "a").c_str(), Wide(longText + "b")), -1);
}

TEST(UnicodeStringTest, ConversionsBetweenBytesAndUnits) {
    M_WORD wide[8];
    UnicodeStrcpyFromAscii(wide, "a\xE9");
    EXPECT_EQ(wide[1], 0x00E9);
    UnicodeStrcatAscii(wide, "\xFF!");
    EXPECT_EQ(wide[2], 0x00FF);
    EXPECT_EQ(Narrow(wide), "a\\u{00E9}\\u{00FF}!");

    char bytes[8];
    UnicodeToAscii(bytes, Wide({'a', 0x00E9, 'b'}));
    EXPECT_STREQ(bytes, "ab");
    UnicodeStrcpyLowBytes(bytes, Wide({0x1234, 'z'}));
    EXPECT_STREQ(bytes, "\x34z");
}

TEST(UnicodeStringTest, CharacterClasses) {
    EXPECT_TRUE(UnicodeIsAsciiString(Wide("")));
    EXPECT_TRUE(UnicodeIsAsciiString(Wide({0x7F})));
    EXPECT_FALSE(UnicodeIsAsciiString(Wide({'a', 0x80})));
    EXPECT_TRUE(UnicodeIsAscii(127));
    EXPECT_FALSE(UnicodeIsAscii(128));
    EXPECT_TRUE(UnicodeIsSpace(' '));
    EXPECT_FALSE(UnicodeIsSpace('\t'));
    EXPECT_FALSE(UnicodeIsSpace('\n'));
    EXPECT_TRUE(UnicodeIsDigit('0') && UnicodeIsDigit('9'));
    EXPECT_FALSE(UnicodeIsDigit('/') || UnicodeIsDigit(':') || UnicodeIsDigit(0xFF10));

    struct Case {
        M_WORD c;
        bool breakable;
    } cases[] = {{0x2FFF, false}, {0x3000, true}, {0x9FFF, true}, {0xA000, false},
                 {0xABFF, false}, {0xAC00, true}, {0xD7A3, true}, {0xD7A4, false},
                 {0xF8FF, false}, {0xF900, true}, {0xFAFF, true}, {0xFB00, false}};
    for (const auto& c : cases)
        EXPECT_EQ(UnicodeCharClass(c.c) != 0, c.breakable) << std::hex << c.c;
}

TEST(UnicodeStringTest, TrimRightAndNextWordLower) {
    Wide text("ab  ");
    UnicodeTrimRight(text.data());
    EXPECT_EQ(Narrow(text), "ab");
    Wide spaces("   ");
    UnicodeTrimRight(spaces.data());
    EXPECT_EQ(Narrow(spaces), "");

    Wide line("  Hello WORLD  x");
    M_WORD word[16];
    const M_WORD* rest = UnicodeNextWordLower(line, word);
    EXPECT_EQ(Narrow(word), "hello");
    EXPECT_EQ(Narrow(rest), "WORLD  x");
    rest = UnicodeNextWordLower(rest, word);
    EXPECT_EQ(Narrow(word), "world");
    EXPECT_EQ(Narrow(rest), " x");  // only the one following space is passed
    rest = UnicodeNextWordLower(rest, word);
    EXPECT_EQ(Narrow(word), "x");
    EXPECT_EQ(*rest, 0);
    rest = UnicodeNextWordLower(rest, word);
    EXPECT_EQ(Narrow(word), "");
    EXPECT_EQ(*rest, 0);
}

TEST(UnicodeStringTest, ItoaWritesEveryValueInEveryRadix) {
    struct Case {
        int value;
        int radix;
        const char* expected;
    } cases[] = {
        {-305, 10, "-305"},
        {0, 10, "0"},
        {9, 10, "9"},
        {10, 10, "10"},
        {INT_MAX, 10, "2147483647"},
        {INT_MIN, 10, "-2147483648"},
        {255, 16, "ff"},
        {35, 36, "z"},
        {1024, 2, "10000000000"},  // more than 10 digits
        {INT_MIN, 2, "-10000000000000000000000000000000"},
        {42, 0, "42"},  // an unusable radix counts as 10
        {42, 1, "42"},
    };
    for (const auto& c : cases) {
        M_WORD buf[40];
        UnicodeItoa(c.value, buf, c.radix);
        EXPECT_EQ(Narrow(buf), c.expected) << c.value << " radix " << c.radix;
    }
}

TEST(UnicodeStringTest, AtoiHonoursSignsBeforeTheFirstOtherUnitAndSaturates) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"--5", 5},
        {"+7x", 7},
        {" 5", 0},
        {"1-2", -12},
        {"", 0},
        {"0042", 42},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"99999999999999999999999999", INT_MAX},
        {"-99999999999999999999999999", INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(UnicodeAtoi(Wide(c.text)), c.expected) << c.text;
    EXPECT_EQ(UnicodeAtoi(nullptr), 0);
}

}  // namespace
