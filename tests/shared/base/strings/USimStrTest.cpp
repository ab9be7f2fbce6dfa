#include <gtest/gtest.h>

#include <string>

#include "strings/USimStr.h"
#include "support/WideText.h"

namespace {

using tw::test::Narrow;
using tw::test::Wide;

std::string N(const USimStr& s) {
    return Narrow(s.c_str());
}

TEST(USimStrTest, ConstructionFromEachKindOfText) {
    EXPECT_EQ(N(USimStr()), "");
    USimStr bytes("a\xE9");
    EXPECT_EQ(bytes.length(), 2);
    EXPECT_EQ(bytes[1], 0x00E9);
    USimStr unit(static_cast<M_WORD>(0x4E2D));
    EXPECT_EQ(unit.length(), 1);
    EXPECT_EQ(unit[0], 0x4E2D);
    USimStr copy(bytes);
    bytes += static_cast<M_WORD>('!');
    EXPECT_EQ(N(copy), "a\\u{00E9}");
    EXPECT_EQ(N(bytes), "a\\u{00E9}!");
}

TEST(USimStrTest, AStringWithoutBufferReadsAsEmptyEverywhere) {
    USimStr none(static_cast<const M_WORD*>(nullptr));
    EXPECT_TRUE(none.isEmpty());
    ASSERT_NE(none.c_str(), nullptr);
    EXPECT_EQ(none.c_str()[0], 0);
    EXPECT_EQ(none[0], 0);
    EXPECT_EQ(none.toInt(), 0);
    EXPECT_FALSE(none.contains('a'));
    EXPECT_TRUE(none == USimStr(""));
    EXPECT_FALSE(none.startsWith(""));
    EXPECT_FALSE(none.isPrefixOf("abc"));
    int a = 7, b = 7;
    none.parseRange(a, b);
    EXPECT_EQ(a + b, 0);
    USimStr out("old");
    none.getAfter(out, '=');
    EXPECT_EQ(N(out), "");
    EXPECT_EQ(N(none.substring(0, 3)), "");
    EXPECT_EQ(N(none + Wide("x")), "x");
    EXPECT_EQ(N(USimStr(none)), "");

    USimStr grown(static_cast<const M_WORD*>(nullptr));
    grown += Wide("ab");
    grown.prepend(static_cast<M_WORD>('>'));
    EXPECT_EQ(N(grown), ">ab");
    USimStr writable(static_cast<const M_WORD*>(nullptr));
    M_WORD* buffer = writable;
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer[0], 0);
}

TEST(USimStrTest, AppendingAssigningAndPrependingItsOwnText) {
    USimStr s("ab");
    s += s;
    EXPECT_EQ(N(s), "abab");
    s += s;  // now in place or not, the source must not be read past its end
    EXPECT_EQ(N(s), "abababab");
    s = s;
    EXPECT_EQ(N(s), "abababab");
    s.strDup(s.c_str() + 5);
    EXPECT_EQ(N(s), "bab");
    s.strCat(s.c_str() + 1);
    EXPECT_EQ(N(s), "babab");
    s.prepend(s);
    EXPECT_EQ(N(s), "bababbabab");
    s.strDup(s.c_str() + 2, 3);
    EXPECT_EQ(N(s), "bab");
    s.prepend(Wide("<<"));
    EXPECT_EQ(N(s), "<<bab");
    EXPECT_EQ(N(s.substring(1, 3)), "<ba");
    EXPECT_EQ(N(s.substring(3, 100)), "ab");
    EXPECT_EQ(N(s.substring(5, 1)), "");
    EXPECT_EQ(N(s.substring(-1, 2)), "");
    USimStr& part = s.substring(1, 4);
    EXPECT_EQ(N(part.substring(1, 2)), "ba");  // the shared result taken from itself

    USimStr chars;
    for (char c = 'a'; c <= 'e'; ++c) chars += static_cast<M_WORD>(c);
    chars += static_cast<M_WORD>(0);  // a terminator appends nothing
    EXPECT_EQ(chars.length(), 5);
    chars = static_cast<M_WORD>('z');
    EXPECT_EQ(N(chars), "z");
    chars.Empty();
    EXPECT_EQ(chars.length(), 0);
    chars += Wide("again");
    EXPECT_EQ(N(chars), "again");
}

TEST(USimStrTest, NumbersAreWrittenAsDecimalText) {
    USimStr s;
    s = -42;
    s += 7;
    s += 4000000000u;
    s += static_cast<M_WORD>(' ');
    s += 1.5f;
    EXPECT_EQ(N(s), "-4274000000000 1.500000");
    EXPECT_EQ(USimStr("-17x").toInt(), -17);
}

TEST(USimStrTest, EqualityIgnoresCaseButOrderingDoesNot) {
    USimStr hello("Hello");
    USimStr upper("HELLO");
    EXPECT_TRUE(hello == upper);
    EXPECT_FALSE(hello != upper);
    EXPECT_TRUE(hello == Wide("hELLo"));
    EXPECT_TRUE(upper < hello);  // 'E' (0x45) orders before 'e'
    EXPECT_TRUE(hello > upper);
    EXPECT_FALSE(hello <= upper);
    EXPECT_TRUE(hello >= Wide("Hello"));
    EXPECT_TRUE(hello <= Wide("Hello"));
    EXPECT_TRUE(USimStr("abc") < Wide("abd"));

    struct Case {
        const char* text;
        M_WORD c;
        bool equal;
        bool notEqual;
    } cases[] = {
        {"a", 'a', true, false}, {"A", 'a', false, false},  // != folds case, == does not
        {"b", 'a', false, true}, {"aa", 'a', false, true}, {"", 'a', false, true},
    };
    for (const auto& c : cases) {
        USimStr s(c.text);
        EXPECT_EQ(s == c.c, c.equal) << c.text;
        EXPECT_EQ(s != c.c, c.notEqual) << c.text;
    }
}

TEST(USimStrTest, IndexPastEitherEndReadsZero) {
    USimStr s("xy");
    EXPECT_EQ(s[0], 'x');
    EXPECT_EQ(s[1], 'y');
    EXPECT_EQ(s[2], 0);
    EXPECT_EQ(s[-1], 0);
    EXPECT_EQ(s[1 << 30], 0);
}

TEST(USimStrTest, ConcatenationResultsAreSharedPerOperator) {
    USimStr a("a");
    USimStr b("b");
    USimStr& first = a + b;
    USimStr& second = b + a;
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(N(first), "ba");  // the second call overwrote the first result
    EXPECT_EQ(N(a + (b + Wide("c"))), "abc");
    EXPECT_EQ(N(a + (a + b)), "aab");  // the right operand is the result itself
    USimStr& sum = a + b;
    EXPECT_EQ(N(sum + sum), "abab");
    EXPECT_EQ(N(a + static_cast<M_WORD>('!')), "a!");
}

TEST(USimStrTest, CaseDigitsAndTrailingUnits) {
    USimStr s(Wide({'a', 'B', 0xE4, 0x4E2D}));
    s.toUpper();
    EXPECT_EQ(s[0], 'A');
    EXPECT_EQ(s[3], 0x4E2D);
    s.toLower();
    EXPECT_EQ(s[1], 'b');
    EXPECT_EQ(s[3], 0x4E2D);

    EXPECT_TRUE(USimStr("").isAllDigits());
    EXPECT_TRUE(USimStr("0123").isAllDigits());
    EXPECT_FALSE(USimStr("12a").isAllDigits());
    EXPECT_TRUE(USimStr("ab").contains('b'));
    EXPECT_FALSE(USimStr("ab").contains('c'));

    USimStr line("go;;");
    EXPECT_EQ(line.removeTrailing(';'), 1);
    EXPECT_EQ(line.removeTrailing(';'), 1);
    EXPECT_EQ(line.removeTrailing(';'), 0);
    EXPECT_EQ(N(line), "go");
    USimStr empty("");
    EXPECT_EQ(empty.removeTrailing(0), 0);
}

TEST(USimStrTest, GetAfterParseRangeAndPrefixes) {
    struct After {
        const char* text;
        const char* expected;
    } afters[] = {{"key=value=x", "value=x"}, {"key=", ""}, {"novalue", ""}, {"=v", "v"}};
    for (const auto& c : afters) {
        USimStr out("stale");
        USimStr(c.text).getAfter(out, '=');
        EXPECT_EQ(N(out), c.expected) << c.text;
    }
    USimStr self("a=b");
    self.getAfter(self, '=');
    EXPECT_EQ(N(self), "b");

    struct Range {
        const char* text;
        int a;
        int b;
    } ranges[] = {
        {"#SLIDER x [0-255]", 0, 255},
        {"[12-34] [5-6]", 12, 34},
        {"no range", 0, 0},
        {"[12", 12, 0},  // no '-': the text ends the first number
        {"[7-", 7, 0},   // the text ends the second number
        {"[3-9", 3, 9},
        {"[1x-0]", 82, 0},  // units are not checked: 'x' counts as 'x' - '0' = 72
    };
    for (const auto& c : ranges) {
        int a = -1, b = -1;
        USimStr(c.text).parseRange(a, b);
        EXPECT_EQ(a, c.a) << c.text;
        EXPECT_EQ(b, c.b) << c.text;
    }
    int a = 0, b = 0;
    USimStr("[99999999999999999999-1]").parseRange(a, b);  // wraps, no overflow trap
    EXPECT_EQ(b, 1);

    struct Prefix {
        const char* text;
        const char* bytes;
        bool startsWith;
        bool isPrefixOf;
    } prefixes[] = {
        {"Sound", "Sound", true, true}, {"SoundOn", "Sound", true, false},
        {"Sou", "Sound", false, true},  {"", "Sound", false, true},
        {"Sound", "", true, false},     {"sound", "Sound", false, false},
    };
    for (const auto& c : prefixes) {
        USimStr s(c.text);
        EXPECT_EQ(s.startsWith(c.bytes), c.startsWith) << c.text << " / " << c.bytes;
        EXPECT_EQ(s.isPrefixOf(c.bytes), c.isPrefixOf) << c.text << " / " << c.bytes;
    }
}

TEST(USimStrTest, SubstituteReplacesMarkedPercentPairs) {
    struct Case {
        const char* start;
        const char* format;
        M_WORD marker;
        const char* replacement;
        const char* expected;
        int count;
    } cases[] = {
        {"", "Hello %1!", '1', "Ann", "Hello Ann!", 1},
        {"> ", "%1 and %1", '1', "x", "> x and x", 2},
        {"", "100%% %2 %1", '1', "r", "100  r", 1},  // other pairs are dropped
        {"", "ends with %", '1', "r", "ends with ", 0},
        {"", "%1", '1', "", "", 1},
        {"", "", '1', "r", "", 0},
    };
    for (const auto& c : cases) {
        USimStr s(c.start);
        EXPECT_EQ(s.substitute(Wide(c.format), c.marker, Wide(c.replacement)), c.count) << c.format;
        EXPECT_EQ(N(s), c.expected) << c.format;
    }
    USimStr self("%1-");
    EXPECT_EQ(self.substitute(self.c_str(), '1', self.c_str()), 1);
    EXPECT_EQ(N(self), "%1-%1--");
    EXPECT_EQ(self.substitute(nullptr, '1', nullptr), 0);
}

TEST(USimStrTest, SkipUntilStopsAtTheSetOrEitherEnd) {
    Wide text("ab\ncd;ef");
    Wide set(";");
    int pos = 0, lines = 0;
    EXPECT_TRUE(USimStr::skipUntil(text, pos, lines, set, true));
    EXPECT_EQ(pos, 5);
    EXPECT_EQ(lines, 1);
    EXPECT_TRUE(USimStr::skipUntil(text, pos, lines, set, true));  // already there
    EXPECT_EQ(pos, 5);

    pos = 6;
    EXPECT_FALSE(USimStr::skipUntil(text, pos, lines, set, true));
    EXPECT_EQ(pos, 8);
    pos = 4, lines = 0;
    EXPECT_FALSE(USimStr::skipUntil(text, pos, lines, set, false));
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(lines, 1);
    pos = 100;
    EXPECT_FALSE(USimStr::skipUntil(text, pos, lines, set, false));
    EXPECT_EQ(pos, 100);
}

TEST(USimStrTest, GetTokenTable) {
    struct Case {
        const char* text;
        int start;
        bool forward;
        bool result;
        const char* token;
        int pos;
        int lines;
    } cases[] = {
        {"  alpha beta", 0, true, true, "alpha", 7, 0},
        {"alpha,beta", 0, true, true, "alpha", 5, 0},
        {",beta", 0, true, true, ",", 1, 0},  // a stop unit is a token by itself
        {"\"a b,c\" d", 0, true, true, "a b,c", 7, 0},
        {"ab\"c d\"e f", 0, true, true, "abc d", 7, 0},  // the closing quote ends it
        {"\"open to the end", 0, true, true, "open to the end", 16, 0},
        {" \n \n", 0, true, false, "", 4, 2},
        {"", 0, true, false, "", 0, 0},
        {"x\ny", 1, true, true, "y", 3, 1},
        {"one two", 6, false, true, "owt", 3, 0},  // backwards: units come in reading order
        {"  ", 1, false, false, "", -1, 0},
        {"abc", 7, true, false, "", 7, 0},    // past the end
        {"abc", -3, true, false, "", -3, 0},  // before the start
    };
    for (const auto& c : cases) {
        int pos = c.start, lines = 0;
        USimStr token("stale");
        bool got =
            USimStr::getToken(Wide(c.text), pos, lines, token, Wide(" \n"), Wide(",;"), c.forward);
        EXPECT_EQ(got, c.result) << c.text;
        EXPECT_EQ(N(token), c.token) << c.text;
        EXPECT_EQ(pos, c.pos) << c.text;
        EXPECT_EQ(lines, c.lines) << c.text;
    }
    USimStr self("first second");
    int pos = 0, lines = 0;
    EXPECT_TRUE(USimStr::getToken(self.c_str(), pos, lines, self, Wide(" "), nullptr, true));
    EXPECT_EQ(N(self), "first");
}

}  // namespace
