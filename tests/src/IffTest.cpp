#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Iff.h"
#include "support/TwTest.h"
#include "support/datafiles/IffFormat.h"

namespace {

using tw::datafiles::Bytes;
using tw::datafiles::IffWriter;

constexpr IffTag DATA = MakeIffTag("DATA");
constexpr IffTag LANG = MakeIffTag("LANG");
constexpr IffTag INFO = MakeIffTag("INFO");
constexpr IffTag NEXT = MakeIffTag("NEXT");

class IffTest : public tw::test::TwTest {
protected:
    size_t Count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }
};

// Visits every FORM and CHUNK below the current position, the way a loader
// that skips what it does not know would.
bool WalkAll(Iff& iff) {
    while (!iff.atEndOfForm() && !iff.hasFailed()) {
        if (iff.isForm(0)) {
            if (!iff.enterForm(0) || !WalkAll(iff) || !iff.exitForm(0)) return false;
        } else if (IffTag tag = iff.getCurrentTag()) {
            if (!iff.enterChunk(tag)) return false;
            while (iff.charsLeft() >= 4) iff.readInt32(false);
            if (!iff.exitChunk(tag, false)) return false;
        } else {
            return false;
        }
    }
    return !iff.hasFailed();
}

bool WalkImage(const Bytes& image) {
    Iff iff(image.data(), image.size());
    iff.setFileName("walk.iff");
    return iff.enterForm(0) && WalkAll(iff) && iff.exitForm(0);
}

TEST_F(IffTest, WalksNestedFormsAndPaddedChunks) {
    IffWriter w;
    w.form("DATA").form("LANG");
    w.chunk("INFO").u32le(0x01020304).u8('z').end();  // 5 bytes and a pad
    w.chunk("NEXT").str("ab").u32be(7).end();
    w.end().end();
    const Bytes& image = w.bytes();

    Iff iff(image.data(), image.size());
    iff.setFileName("sample.iff");
    EXPECT_TRUE(iff.isForm(0));
    EXPECT_TRUE(iff.isForm(DATA));
    EXPECT_FALSE(iff.isForm(LANG));
    EXPECT_FALSE(iff.atEndOfForm());  // false at the outermost level
    ASSERT_TRUE(iff.enterForm(DATA));
    ASSERT_TRUE(iff.enterForm(LANG));
    EXPECT_EQ(iff.getCurrentTag(), INFO);
    EXPECT_TRUE(iff.isChunk(INFO));
    EXPECT_FALSE(iff.isChunk(0));

    const M_BYTE* infoStart = iff.getCurrentPosition();
    ASSERT_TRUE(iff.enterChunk(INFO));
    EXPECT_EQ(iff.charsLeft(), 5u);
    EXPECT_EQ(iff.peekInt32(false), 0x01020304u);
    EXPECT_EQ(iff.peekInt32(true), 0x04030201u);
    EXPECT_EQ(iff.readInt32(false), 0x01020304);
    EXPECT_EQ(iff.charsLeft(), 1u);
    EXPECT_FALSE(iff.atEndOfForm());
    ASSERT_TRUE(iff.exitChunk(INFO, false));
    EXPECT_EQ(iff.getCurrentPosition(), infoStart + 14);

    ASSERT_TRUE(iff.enterChunk(NEXT));
    char text[8];
    EXPECT_TRUE(iff.readString(text, sizeof text));
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(iff.readInt32(true), 7);
    EXPECT_TRUE(iff.atEndOfForm());
    ASSERT_TRUE(iff.exitChunk(NEXT, true));
    EXPECT_TRUE(iff.atEndOfForm());
    ASSERT_TRUE(iff.exitForm(LANG));
    ASSERT_TRUE(iff.exitForm(DATA));
    EXPECT_EQ(iff.getCurrentPosition(), image.data() + image.size());
    EXPECT_FALSE(iff.hasFailed());
    EXPECT_EQ(ReportLog().find("TWReport::error"), std::string::npos);
}

TEST_F(IffTest, FormOfAnyTypeButNoChunkWithoutTag) {
    IffWriter w;
    w.form("ABCD").chunk("DATA").u32le(1).end().end();
    const Bytes& image = w.bytes();
    Iff iff(image.data(), image.size());
    ASSERT_TRUE(iff.enterForm(0));
    EXPECT_FALSE(iff.enterChunk(0));
    EXPECT_TRUE(iff.hasFailed());
    EXPECT_NE(ReportLog().find("bool Iff::enterChunk (IffTag tag) File:(null), Path:/ABCD: Cannot "
                               "enter CHUNK '....' Tag at current position = 'DATA'."),
              std::string::npos)
        << ReportLog();
    // A failed reader stays failed.
    EXPECT_FALSE(iff.enterChunk(DATA));
    EXPECT_FALSE(iff.exitForm(0));
    EXPECT_EQ(iff.readInt32(false), 0);
}

TEST_F(IffTest, DeepNestingKeepsEveryOuterLevelInThePath) {
    IffWriter w;
    for (int i = 0; i < 65; ++i) w.form(i == 0 ? "OUTR" : "NEST");
    w.chunk("LAST").end();
    for (int i = 0; i < 65; ++i) w.end();
    const Bytes& image = w.bytes();

    Iff iff(image.data(), image.size());
    iff.setFileName("deep.iff");
    for (int i = 0; i < 65; ++i) ASSERT_TRUE(iff.enterForm(0)) << i;
    EXPECT_EQ(iff.getDepth(), 65);
    EXPECT_EQ(iff.getStackCapacity(), 128);
    EXPECT_FALSE(iff.enterChunk(MakeIffTag("MISS")));
    std::string log = ReportLog();
    EXPECT_NE(log.find("File:deep.iff, Path:/OUTR/NEST/"), std::string::npos);
    EXPECT_EQ(Count(log, "/NEST"), 64u);
}

TEST_F(IffTest, StringsAreBoundedByTheChunkAndTheDestination) {
    IffWriter w;
    w.form("TEST").chunk("STRS").str("abcdef").str("UK").end().end();
    const Bytes& image = w.bytes();
    Iff iff(image.data(), image.size());
    ASSERT_TRUE(iff.enterForm(0));
    ASSERT_TRUE(iff.enterChunk(MakeIffTag("STRS")));
    char small[4];
    EXPECT_TRUE(iff.readString(small, sizeof small));
    EXPECT_STREQ(small, "abc");  // cut to the destination, the rest consumed
    EXPECT_EQ(iff.charsLeft(), 3u);
    // A complete string in the last 3 bytes of a chunk is read.
    EXPECT_TRUE(iff.readString(small, sizeof small));
    EXPECT_STREQ(small, "UK");
    EXPECT_TRUE(iff.atEndOfForm());
    EXPECT_FALSE(iff.skipString());
    EXPECT_NE(ReportLog().find("void Iff::skipString File:(null), Path:/TEST/STRS: At end of "
                               "CHUNK. Not enough data ?"),
              std::string::npos);
}

TEST_F(IffTest, ExitChunkWithUnreadBytesSkipsOrRefuses) {
    IffWriter w;
    w.form("TEST")
        .chunk("ONE ")
        .u32le(1)
        .u32le(2)
        .end()
        .chunk("TWO ")
        .u32le(3)
        .u32le(4)
        .end()
        .end();
    const Bytes& image = w.bytes();
    Iff iff(image.data(), image.size());
    ASSERT_TRUE(iff.enterForm(0));
    ASSERT_TRUE(iff.enterChunk(MakeIffTag("ONE ")));
    iff.readInt32(false);
    EXPECT_TRUE(iff.exitChunk(0, false));
    ASSERT_TRUE(iff.enterChunk(MakeIffTag("TWO ")));
    EXPECT_EQ(iff.readInt32(false), 3);
    EXPECT_FALSE(iff.exitChunk(MakeIffTag("TWO "), true));
    EXPECT_NE(ReportLog().find("Path:/TEST/TWO : extra data in CHUNK"), std::string::npos);
}

TEST_F(IffTest, TruncatedOrCorruptImagesAreRefusedWithoutReadingOutside) {
    IffWriter good;
    good.form("DATA").chunk("TEXT").u32le(5).u8(1).end().chunk("MORE").u32le(6).end().end();
    const Bytes base = good.bytes();
    ASSERT_TRUE(WalkImage(base));

    auto withLength = [&](size_t at, M_DWORD length) {
        Bytes b = base;
        for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<M_BYTE>(length >> (24 - 8 * i));
        return b;
    };
    // Cut short, with the FORM's length cut to match, so that the chunks
    // inside are what no longer fits.
    auto cut = [&](size_t n) {
        Bytes b(base.begin(), base.begin() + n);
        if (n >= 8) b.at(7) = static_cast<M_BYTE>(n - 8);
        return b;
    };
    // Layout: FORM@0 length@4 type@8, TEXT@12 length@16 data@20 (5 + pad),
    // MORE@26 length@30 data@34, end 38.
    ASSERT_EQ(base.size(), 38u);
    struct Case {
        const char* what;
        Bytes image;
        const char* message;
    } cases[] = {
        {"shorter than a header", cut(3), "Cannot enter FORM"},
        {"cut inside the FORM header", cut(6), "Cannot enter FORM"},
        {"cut inside a chunk header", cut(30), "no room for its header"},
        {"FORM longer than the image", withLength(4, 100), "does not fit in its parent"},
        {"FORM too short for its type", withLength(4, 3), "does not fit in its parent"},
        {"FORM length near 4 GB", withLength(4, 0xFFFFFFFF), "does not fit in its parent"},
        {"chunk past the FORM end", withLength(16, 30), "does not fit in its parent"},
        {"chunk length near 4 GB", withLength(30, 0xFFFFFFFC), "does not fit in its parent"},
        {"cut inside the last chunk", cut(36), "does not fit in its parent"},
    };
    for (const auto& c : cases) {
        tw::test::ResetServices();
        EXPECT_FALSE(WalkImage(c.image)) << c.what;
        std::string log = ReportLog();
        EXPECT_NE(log.find("File:walk.iff, Path:"), std::string::npos) << c.what << "\n" << log;
        EXPECT_NE(log.find(c.message), std::string::npos) << c.what << "\n" << log;
    }
}

TEST_F(IffTest, AnOddChunkAtTheEndOfItsParentNeedsNoPad) {
    // Written without the final pad: the FORM ends right after the chunk.
    Bytes image = {'F', 'O', 'R', 'M', 0,   0, 0, 13, 'T', 'E', 'S',
                   'T', 'O', 'D', 'D', ' ', 0, 0, 0,  1,   'x'};
    Iff iff(image.data(), image.size());
    ASSERT_TRUE(iff.enterForm(0));
    ASSERT_TRUE(iff.enterChunk(MakeIffTag("ODD ")));
    ASSERT_TRUE(iff.exitChunk(0, false));
    EXPECT_TRUE(iff.atEndOfForm());
    EXPECT_TRUE(iff.exitForm(0));
    EXPECT_EQ(iff.getCurrentPosition(), image.data() + image.size());
}

TEST_F(IffTest, MisuseIsLoggedAndRefused) {
    Iff none(nullptr, 10);
    EXPECT_FALSE(none.enterForm(0));
    EXPECT_FALSE(none.readInt32(false));
    EXPECT_NE(ReportLog().find("FILE:../../src/Iff, Function:Iff::isForm: no current data!\n"),
              std::string::npos);

    Bytes image = {'F', 'O', 'R', 'M', 0, 0, 0, 4, 'E', 'M', 'P', 'T'};
    Iff outer(image.data(), image.size());
    EXPECT_EQ(outer.charsLeft(), 0u);
    EXPECT_TRUE(outer.hasFailed());
    Iff exits(image.data(), image.size());
    EXPECT_FALSE(exits.exitChunk(MakeIffTag("INFO"), false));
    EXPECT_FALSE(exits.exitForm(0));
    std::string log = ReportLog();
    EXPECT_NE(log.find("unsigned int Iff::charsLeft (void) File:(null), Path:: depth <= 0"),
              std::string::npos);
    EXPECT_NE(log.find("depth <= 0. Cannot exit CHUNK 'INFO'"), std::string::npos);
    EXPECT_EQ(outer.peekInt32(image.data() + 9, true), 0u);  // would end past the image
    EXPECT_EQ(outer.peekInt32(image.data() + 8, true), MakeIffTag("EMPT"));
}

TEST_F(IffTest, ReportErrorWarnsOrEndsTheProgram) {
    IffWriter w;
    w.form("DATA").chunk("ODDS").u32le(0).end().end();
    const Bytes& image = w.bytes();
    Iff iff(image.data(), image.size());
    iff.setFileName("lang.enu");
    ASSERT_TRUE(iff.enterForm(DATA));
    iff.reportError("LanguageSection::load:", "Ignoring Unexpected FORM or CHUNK.", false);
    EXPECT_NE(ReportLog().find("TWReport::warning: LanguageSection::load: File:lang.enu, "
                               "Path:/DATA: Ignoring Unexpected FORM or CHUNK. Tag at current "
                               "position = 'ODDS'.\n"),
              std::string::npos)
        << ReportLog();
    EXPECT_FALSE(iff.hasFailed());
    EXPECT_DEATH(iff.reportError("LanguageSection::load:", "Illegal character size.", true),
                 "TWReport::fatal: LanguageSection::load: File:lang.enu, Path:/DATA: Illegal "
                 "character size.");
}

}  // namespace
