// Writes the seed inputs of the IFF and language fuzz targets with the
// fixture writers, when asked:
//   TW_FUZZ_CORPUS_DIR=$PWD/tests/fuzz/corpus test_strings --gtest_filter='FuzzSeeds.*'
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "support/datafiles/IffFormat.h"
#include "support/datafiles/LanguageFormats.h"

namespace {

using namespace tw::datafiles;

Bytes Tagged(M_BYTE first, const Bytes& image) {
    Bytes out;
    out.reserve(image.size() + 1);
    out.push_back(first);
    for (M_BYTE b : image) out.push_back(b);
    return out;
}

TEST(FuzzSeeds, WriteWhenAsked) {
    const char* dir = getenv("TW_FUZZ_CORPUS_DIR");
    if (!dir) GTEST_SKIP() << "TW_FUZZ_CORPUS_DIR not set";
    std::string iffDir = std::string(dir) + "/fuzz_iff/";
    std::string langDir = std::string(dir) + "/fuzz_language_section/";
    mkdir(iffDir.c_str(), 0755);
    mkdir(langDir.c_str(), 0755);

    Bytes narrow = LanguageSectionImage({.name = "intro",
                                         .charSize = 1,
                                         .texts = {u"Caf\u00e9", u"", u"odd"},
                                         .colours = {{{1, 2, 3}}, {{4, 5, 6}}, {{7, 8, 9}}},
                                         .fonts = {0, 1, 2},
                                         .positions = {{1, 2}, {3, 4}, {5, 6}},
                                         .frames = {{0, 9}, {10, 19}, {20, 29}}});
    Bytes wide = LanguageSectionImage(
        {.name = "gt_0000", .texts = {u"\u4e2d", u"two"}, .keys = {{1, {100, 101}}, {0, {5}}}});
    Bytes codes =
        LanguageCodesImage({{"deu", 'd', "German", "Germany"}, {"fra", '?', "French", "France"}});
    IffWriter odd;
    odd.form("DATA").form("LANG").chunk("INFO").str("enu").u32le(1).end();
    odd.chunk("XTRA").u8(1).end().form("SUBF").chunk("DEEP").end().end().end().end();

    ASSERT_TRUE(WriteBytes(iffDir + "section", narrow));
    ASSERT_TRUE(WriteBytes(iffDir + "codes", codes));
    ASSERT_TRUE(WriteBytes(iffDir + "nested", odd.bytes()));
    ASSERT_TRUE(WriteBytes(langDir + "narrow", Tagged(0, narrow)));
    ASSERT_TRUE(WriteBytes(langDir + "wide", Tagged(0, wide)));
    ASSERT_TRUE(WriteBytes(langDir + "codes", Tagged(1, codes)));
}

}  // namespace
