#include <gtest/gtest.h>

#include <vector>

#include "ByteReader.h"
#include "ByteWriter.h"

namespace {

TEST(ByteReaderTest, ReadsBothByteOrdersAndWritesThemBack) {
    ByteWriter w;
    w.u8(0x01).u16le(0x0302).u16be(0x0405).u32le(0x09080706).u32be(0x0A0B0C0D);
    w.fixedString("abcdef", 4).fixedString("xy", 4).raw("zz\0", 3);
    ByteReader r(w.bytes().data(), w.size());
    EXPECT_EQ(r.u8(), 0x01);
    EXPECT_EQ(r.u16le(), 0x0302);
    EXPECT_EQ(r.u16be(), 0x0405);
    EXPECT_EQ(r.u32le(), 0x09080706u);
    EXPECT_EQ(r.u32be(), 0x0A0B0C0Du);
    char text[8];
    EXPECT_TRUE(r.fixedString(text, sizeof text, 4));
    EXPECT_STREQ(text, "abcd");
    EXPECT_TRUE(r.fixedString(text, 2, 4));  // bounded by the destination
    EXPECT_STREQ(text, "x");
    EXPECT_TRUE(r.cString(text, sizeof text));
    EXPECT_STREQ(text, "zz");
    EXPECT_TRUE(r.atEnd());
    EXPECT_TRUE(r.ok());
}

TEST(ByteReaderTest, ReadingPastTheEndFailsStickilyAndYieldsZeros) {
    const M_BYTE data[] = {0xFF, 0xEE, 0xDD};
    ByteReader r(data, sizeof data);
    EXPECT_EQ(r.u16be(), 0xFFEE);
    EXPECT_EQ(r.u32le(), 0u);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.u8(), 0);  // sticky: even a byte that exists is not read
    M_BYTE out[4] = {1, 1, 1, 1};
    EXPECT_FALSE(r.bytes(out, 4));
    EXPECT_EQ(out[0] | out[1] | out[2] | out[3], 0);
}

TEST(ByteReaderTest, SixteenBitRunsAreLittleEndianAtAnyAddressAndAllOrNothing) {
    // One byte ahead of the run, so that it lies at an odd address.
    const M_BYTE data[] = {0xAA, 0x34, 0x12, 0xCD, 0xAB, 0x01, 0x80, 0x77};
    ByteReader r(data, sizeof data);
    r.u8();
    M_WORD run[3] = {};
    EXPECT_TRUE(r.u16leArray(run, 3));
    EXPECT_EQ(run[0], 0x1234);
    EXPECT_EQ(run[1], 0xABCD);
    EXPECT_EQ(run[2], 0x8001);
    EXPECT_EQ(r.remaining(), 1u);
    EXPECT_TRUE(r.u16leArray(run, 0));
    M_WORD more[2] = {9, 9};
    EXPECT_FALSE(r.u16leArray(more, 1)) << "one byte is half a value";
    EXPECT_EQ(more[0], 0);
    EXPECT_EQ(more[1], 9);
    EXPECT_FALSE(r.ok());
}

TEST(ByteReaderTest, UnterminatedStringAndSubReaders) {
    const M_BYTE data[] = {'a', 'b', 'c', 1, 2};
    ByteReader r(data, sizeof data);
    ByteReader head = r.sub(3);
    char text[8];
    EXPECT_FALSE(head.cString(text, sizeof text));
    EXPECT_STREQ(text, "abc");
    EXPECT_EQ(r.u16le(), 0x0201);
    EXPECT_TRUE(r.ok());
    ByteReader none = r.sub(1);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(none.size(), 0u);
    EXPECT_FALSE(r.seek(99));
}

}  // namespace
