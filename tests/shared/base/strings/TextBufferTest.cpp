#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "strings/TextBuffer.h"

namespace {

std::uintptr_t Address(const CTextBuffer& b) {
    return reinterpret_cast<std::uintptr_t>(b.c_str());
}

TEST(TextBufferTest, GrowsBySixtyFourBytesBeyondWhatIsNeeded) {
    CTextBuffer b;
    b += "0123456789";
    std::uintptr_t first = Address(b);
    b += std::string(63, 'x').c_str();  // 73 bytes and the terminator fit in 74
    EXPECT_EQ(Address(b), first);
    b += 'y';
    EXPECT_NE(Address(b), first);
    EXPECT_EQ(b.length(), 74);
    EXPECT_EQ(b[73], 'y');
}

TEST(TextBufferTest, ABufferWithoutStorageReadsAsEmpty) {
    CTextBuffer none;
    EXPECT_STREQ(none.c_str(), "");
    EXPECT_TRUE(none == "");
    EXPECT_TRUE(none == CTextBuffer(""));
    EXPECT_FALSE(none == 'a');
    EXPECT_TRUE(none != 'a');
    EXPECT_EQ(none[0], 0);
    none.toUpper();
    EXPECT_STREQ((none + "x").c_str(), "x");
    CTextBuffer copy(none);
    EXPECT_STREQ(copy.c_str(), "");
    char* writable = none;
    ASSERT_NE(writable, nullptr);
    EXPECT_EQ(writable[0], 0);
    CTextBuffer prepended;
    prepended.prepend('>');
    EXPECT_STREQ(prepended.c_str(), ">");
    prepended = static_cast<const char*>(nullptr);
    EXPECT_STREQ(prepended.c_str(), "");
}

TEST(TextBufferTest, AppendingAssigningAndPrependingItsOwnText) {
    CTextBuffer b("ab");
    b += b;
    EXPECT_STREQ(b.c_str(), "abab");
    b.strCat(b.c_str() + 1);
    EXPECT_STREQ(b.c_str(), "ababbab");
    b = b;
    b.prepend(b);
    EXPECT_STREQ(b.c_str(), "ababbabababbab");
    b.strDup(b.c_str() + 10);
    EXPECT_STREQ(b.c_str(), "bbab");
    b.prepend("<");
    b += 12;
    EXPECT_STREQ(b.c_str(), "<bbab12");
    b = -7;
    EXPECT_STREQ(b.c_str(), "-7");
    b = 'q';
    EXPECT_STREQ(b.c_str(), "q");
}

TEST(TextBufferTest, ComparisonsIndexAndCase) {
    CTextBuffer b("Hello");
    EXPECT_TRUE(b == "hELLO");
    EXPECT_TRUE(b == CTextBuffer("HELLO"));
    EXPECT_TRUE(b != "Help");
    EXPECT_EQ(b[4], 'o');
    EXPECT_EQ(b[5], 0);
    EXPECT_EQ(b[-1], 0);
    b.toUpper();
    EXPECT_STREQ(b.c_str(), "HELLO");
    b.toLower();
    EXPECT_STREQ(b.c_str(), "hello");

    CTextBuffer one('A');
    EXPECT_TRUE(one == 'A');
    EXPECT_FALSE(one == 'a');
    EXPECT_FALSE(one != 'a');  // != folds case, == does not
    EXPECT_TRUE(one != 'b');
}

TEST(TextBufferTest, ConcatenationResultsAreSharedPerOperator) {
    CTextBuffer a("a");
    CTextBuffer b("b");
    CTextBuffer& first = a + b;
    CTextBuffer& second = b + a;
    EXPECT_EQ(&first, &second);
    EXPECT_STREQ(first.c_str(), "ba");
    EXPECT_STREQ((a + (a + b)).c_str(), "aab");
    EXPECT_STREQ((a + '!').c_str(), "a!");
}

}  // namespace
