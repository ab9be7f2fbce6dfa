#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ConfigurationManager.h"
#include "FileManager.h"
#include "strings/LanguageManager.h"
#include "support/TwTest.h"
#include "support/WideText.h"
#include "support/datafiles/IffFormat.h"
#include "support/datafiles/LanguageFormats.h"

namespace {

using tw::datafiles::Bytes;
using tw::datafiles::IffWriter;
using tw::datafiles::LanguageSectionFile;
using tw::datafiles::LanguageSectionImage;
using tw::datafiles::WriteLanguageCodes;
using tw::datafiles::WriteLanguageSection;

const bool kResetRegistered = [] {
    tw::test::AddServiceReset(LanguageManager::reset);
    return true;
}();

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

std::string Text(const USimStr* s) {
    return s ? tw::test::Narrow(s->c_str()) : "(null)";
}

// Section images written field by field, for the ones that break a rule.
Bytes Section(const std::function<void(IffWriter&)>& body) {
    IffWriter w;
    w.form("DATA").form("LANG");
    body(w);
    w.end().end();
    return w.bytes();
}

void Info(IffWriter& w, int charSize, int count, const char* code = "enu",
          const char* name = "bad") {
    w.chunk("INFO").str(code).i32le(charSize).u32le(0).str(name).u32le(0).i32le(count).end();
}

class LanguageTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        TwTest::SetUp();
        FileManager::startup();
        ConfigurationManager::startup();
    }

    void Configure(const char* code) {
        auto* item = new ConfigurationItem;
        item->set("UserLanguageCodeString", code);
        ConfigurationManager::addToList(item);
    }

    void WriteGermanCodes() {
        ASSERT_TRUE(WriteLanguageCodes(
            {{"DEU", 'd', "German", "Germany"}, {"fra", '?', "French", "France"}}));
    }
};

TEST_F(LanguageTest, WithoutLanguageCodesOnlyTheDefaultLanguageIsKnown) {
    Configure("deu");
    LanguageManager::startup();
    EXPECT_STREQ(LanguageManager::getUserLanguageCodeString(), "enu");
    EXPECT_STREQ(LanguageManager::getLanguageName(), "English");
    EXPECT_EQ(LanguageManager::getLanguageId("ENU"), 101);
    EXPECT_EQ(LanguageManager::getLanguageId("xyz"), 101);
    EXPECT_STREQ(LanguageManager::getUserLanguageCode()->code, "enu");
    std::string log = ReportLog();
    EXPECT_NE(log.find("LanguageManager::loadLanguageCodes: file 'langcode.iff'. no bytes read."),
              std::string::npos);
    EXPECT_NE(log.find("not supported by the Translation Server"), std::string::npos);
    EXPECT_NE(log.find("LanguageManager::startup: user language set to 'enu'."), std::string::npos);
}

TEST_F(LanguageTest, LanguageCodesComeFromTheCodeChunks) {
    IffWriter w;
    w.form("DATA").form("LANG").form("WIN3");
    w.chunk("CODE").str("DEUTSCH").u32le(0x1234).str("German").str("Germany").end();
    w.chunk("CODE").str("fra").u32le('?').str("French").str("FR").end();
    w.chunk("CODE").str("big").u32le(7).raw(std::string(1100, 'x')).u8(0).str("").str("").end();
    w.chunk("NOTE").u32le(0).end();
    w.form("MISC").end();
    w.end().end().end();
    tw::datafiles::WriteBytes("langcode.iff", w.bytes());
    const std::string loaded = "loaded " + std::to_string(w.bytes().size()) + " bytes";
    Configure("DEU");
    LanguageManager::startup();

    EXPECT_STREQ(LanguageManager::getUserLanguageCodeString(), "DEU");
    EXPECT_STREQ(LanguageManager::getUserLanguageCode()->code, "deu");
    EXPECT_STREQ(LanguageManager::getLanguageName(), "German");
    EXPECT_EQ(LanguageManager::getLanguageId(nullptr), 0x34);
    EXPECT_EQ(LanguageManager::getLanguageId("fra"), 0);  // '?' means 0
    EXPECT_EQ(LanguageManager::findLanguageCode("fra")->country, "FR");
    EXPECT_EQ(LanguageManager::findLanguageCode("big"), nullptr);
    std::string log = ReportLog();
    EXPECT_NE(log.find(loaded + " from file 'langcode.iff'"), std::string::npos) << log;
    EXPECT_NE(log.find("LanguageManager::loadLanguageCodes: File:langcode.iff, Path:/DATA/LANG/"
                       "WIN3/CODE: Ignoring Unusually large CHUNK CODE."),
              std::string::npos);
    EXPECT_EQ(Count(log, "Ignoring Unexpected FORM or CHUNK."), 2u);
}

TEST_F(LanguageTest, AMalformedLanguageCodesFileAddsNoLanguage) {
    IffWriter w;
    w.form("DATA").form("LANG").form("WIN3");
    w.chunk("CODE").str("fra").u32le(2).str("French").str("France").end();
    w.chunk("CODE").str("deu").u32le(1).str("German").raw("Germany").end();  // no terminator
    w.end().end().end();
    tw::datafiles::WriteBytes("langcode.iff", w.bytes());
    Configure("deu");
    LanguageManager::startup();
    EXPECT_EQ(LanguageManager::findLanguageCode("deu"), nullptr);
    EXPECT_EQ(LanguageManager::findLanguageCode("fra"), nullptr);
    EXPECT_STREQ(LanguageManager::getUserLanguageCodeString(), "enu");
    EXPECT_NE(ReportLog().find("Path:/DATA/LANG/WIN3/CODE: At end of CHUNK. Not enough data ?"),
              std::string::npos)
        << ReportLog();
}

TEST_F(LanguageTest, SectionsLoadInBothCharacterSizes) {
    ASSERT_TRUE(WriteLanguageSection({.name = "narrow",
                                      .charSize = 1,
                                      .texts = {u"Caf\u00e9", u"", u"odd"},
                                      .colours = {{{1, 2, 3}}, {{0, 0, 0x7fff}}, {{255, 255, 255}}},
                                      .fonts = {0, 1, 2},
                                      .positions = {{10, 20}, {30, 40}, {-5, 6}}}));
    ASSERT_TRUE(WriteLanguageSection(
        {.name = "wide", .texts = {u"\u4e2d\u6587", u"Hello"}, .frames = {{0, 9}, {10, 19}}},
        "language/"));
    LanguageManager::startup();

    LanguageSection* narrow = LanguageManager::loadSection("narrow", "enu", "narrow", 0, 1);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(narrow->getCharSize(), 1);
    EXPECT_EQ(narrow->getNumStrings(), 3);
    EXPECT_EQ(Text(narrow->getStr(0)), "Caf\\u{00E9}");
    EXPECT_EQ(Text(narrow->getStr(1)), "");
    EXPECT_EQ(Text(narrow->getStr(2)), "odd");
    int value = 0;
    EXPECT_TRUE(narrow->getColor(0, value));
    EXPECT_EQ(value, 0x010203);
    EXPECT_TRUE(narrow->getColor(2, value));
    EXPECT_EQ(value, 0xFFFFFF);
    EXPECT_TRUE(narrow->getFont(2, value));
    EXPECT_EQ(value, 2);
    EXPECT_FALSE(narrow->getFont(3, value));
    EXPECT_FALSE(narrow->getColor(-1, value));
    EXPECT_EQ(narrow->getPosX(2), -5);
    EXPECT_EQ(narrow->getPosY(1), 40);
    EXPECT_EQ(narrow->getPosX(3), 0);
    int index = 7;
    EXPECT_EQ(narrow->getStrForFrame(0, index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_NE(ReportLog().find("FILE:../../src/LanguageSection, Function:LanguageSection::"
                               "getStrForFrame: no frame timing information"),
              std::string::npos);

    LanguageSection* wide = LanguageManager::loadSection("wide", "enu", "wide", 0, 1);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->getCharSize(), 2);
    EXPECT_EQ(Text(wide->getStr(0)), "\\u{4E2D}\\u{6587}");
    EXPECT_EQ(Text(wide->getStrForFrame(15, index)), "Hello");
    EXPECT_EQ(index, 1);
    EXPECT_EQ(wide->getStrForFrame(20, index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(wide->getFont(0, value));

    EXPECT_EQ(wide->getStr(2), nullptr);
    std::string log = ReportLog();
    EXPECT_NE(log.find("FILE:../../src/LanguageSection, Function:LanguageSection::getStr: given "
                       "string number (2) out of range (0-1)"),
              std::string::npos);
    EXPECT_NE(log.find("LanguageSection::getStr:string number (2) is NULL !"), std::string::npos);
}

TEST_F(LanguageTest, KeysMapSeveralNumbersToOneString) {
    ASSERT_TRUE(WriteLanguageSection({.name = "gt_0000",
                                      .texts = {u"zero", u"one", u"two"},
                                      .keys = {{2, {100, 101, 102}}, {0, {5}}, {7, {9}}}}));
    LanguageManager::startup();  // loads it among the preloaded sections
    LanguageSection* s = LanguageManager::getSection("gt_0000", "enu", "gt_0000");
    EXPECT_EQ(Text(s->getStr(100)), "two");
    EXPECT_EQ(Text(s->getStr(102)), "two");
    EXPECT_EQ(Text(s->getStr(5)), "zero");
    EXPECT_EQ(s->getStr(1), nullptr);  // a number in no record
    EXPECT_EQ(Count(ReportLog(), "string number (1) is NULL"), 1u);
    EXPECT_EQ(s->getStr(9), nullptr);  // its record names string 7 of 3
    EXPECT_NE(ReportLog().find("string index (7) of key (9) out of range (0-2)"),
              std::string::npos);
}

TEST_F(LanguageTest, AMissingSectionFallsBackToTheDefaultLanguageOnce) {
    WriteGermanCodes();
    Configure("deu");
    ASSERT_TRUE(WriteLanguageSection({.name = "tips", .texts = {u"Tip"}}, "language/"));
    LanguageManager::startup();
    ASSERT_STREQ(LanguageManager::getUserLanguageCodeString(), "deu");

    LanguageSection* first =
        LanguageManager::loadSection("tips", LanguageManager::getUserLanguageCode(), "tips", 0, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->getLanguageCode(), "enu");
    EXPECT_EQ(Text(first->getStr(0)), "Tip");
    // The stand-in answers later requests instead of a fresh copy each time.
    EXPECT_EQ(LanguageManager::loadSection("tips", "deu", "tips", 0, 0), first);
    EXPECT_EQ(LanguageManager::getSection("tips", "DEU", "tips"), first);

    EXPECT_EQ(LanguageManager::loadSection("nothing", "deu", "nothing", 0, 0), nullptr);
    EXPECT_NE(ReportLog().find("LanguageSection::load: cannot load from file 'nothing'."),
              std::string::npos);
    EXPECT_DEATH(LanguageManager::loadSection("nothing", "deu", "nothing", 0, 1),
                 "LanguageManager::loadSection: no section <nothing> found for language <deu> in "
                 "file <nothing>.");
    EXPECT_DEATH(LanguageManager::getSection("other", "deu", "other"),
                 "LanguageManager::getSection: no section named 'other' loaded.");
}

TEST_F(LanguageTest, AMalformedUserFileIsRefusedAndTheDefaultTried) {
    WriteGermanCodes();
    Configure("deu");
    tw::datafiles::WriteBytes("news.deu", Section([](IffWriter& w) {
                                  Info(w, 2, 2, "deu", "news");
                                  w.chunk("TEXT").str16(u"one string too few").end();
                              }));
    ASSERT_TRUE(WriteLanguageSection({.name = "news", .texts = {u"news"}}));
    LanguageManager::startup();

    LanguageSection* s = LanguageManager::loadSection("news", "deu", "news", 0, 1);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Text(s->getStr(0)), "news");
    std::string log = ReportLog();
    EXPECT_NE(log.find("LanguageSection::loadText: File:news.deu, Path:/DATA/LANG/TEXT: NOT ENOUGH "
                       "DATA! Check string count."),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("LanguageSection::load: file 'news.deu' refused."), std::string::npos);
}

TEST_F(LanguageTest, ForcedLoadReplacesTheSection) {
    ASSERT_TRUE(WriteLanguageSection({.name = "motd", .texts = {u"old"}}));
    LanguageManager::startup();
    LanguageSection* old = LanguageManager::loadSection("motd", "enu", "motd", 0, 1);
    EXPECT_EQ(Text(old->getStr(0)), "old");
    ASSERT_TRUE(WriteLanguageSection({.name = "motd", .texts = {u"new"}}));
    LanguageSection* fresh = LanguageManager::loadSection("motd", "enu", "motd", 1, 1);
    EXPECT_EQ(Text(fresh->getStr(0)), "new");
    EXPECT_NE(ReportLog().find("forcing load of section 'motd' from file 'motd'"),
              std::string::npos);
}

TEST_F(LanguageTest, UseBeforeStartupStartsTheManager) {
    ASSERT_TRUE(WriteLanguageSection({.name = "late", .texts = {u"x"}}));
    LanguageSection* s = LanguageManager::loadSection(
        "late", LanguageManager::getUserLanguageCode(), "late", 0, 0);  // null before startup
    ASSERT_NE(s, nullptr);
    EXPECT_NE(ReportLog().find("LanguageManager::loadSection: had to call 'startup'."),
              std::string::npos);
}

TEST_F(LanguageTest, MalformedSectionImagesAreRefused) {
    Bytes good = LanguageSectionImage({.name = "bad", .texts = {u"ab"}, .fonts = {1}});
    struct Case {
        const char* what;
        Bytes image;
        const char* message;
    } cases[] = {
        {"character size 3", Section([](IffWriter& w) { Info(w, 3, 1); }),
         "Path:/DATA/LANG/INFO: Illegal character size."},
        {"no strings", Section([](IffWriter& w) { Info(w, 2, 0); }), "stringCount <= 0."},
        {"extra INFO bytes", Section([](IffWriter& w) {
             w.chunk("INFO").str("enu").i32le(1).u32le(0).str("bad").u32le(0).i32le(1).u8(9).end();
         }),
         "Extra data in CHUNK INFO."},
        {"INFO cut short", Section([](IffWriter& w) { w.chunk("INFO").str("enu").i32le(1).end(); }),
         "At end of CHUNK. Not enough data ?"},
        {"no INFO first", Section([](IffWriter& w) { w.chunk("TEXT").u8(0).end(); }),
         "Cannot enter CHUNK 'INFO'"},
        {"one byte after the last string", Section([](IffWriter& w) {
             Info(w, 1, 1);
             w.chunk("TEXT").str("a").u8('b').end();
         }),
         "TOO MUCH DATA! Check string count."},
        {"16-bit text of odd length", Section([](IffWriter& w) {
             Info(w, 2, 1);
             w.chunk("TEXT").u8('a').u8(0).u8('b').end();
         }),
         "NOT ENOUGH DATA! Check string count."},
        {"a count no chunk can hold", Section([](IffWriter& w) {
             Info(w, 2, 0x7FFFFFFF);
             w.chunk("TEXT").str16(u"a").end();
         }),
         "NOT ENOUGH DATA! Check string count."},
        {"colours for too few strings", Section([](IffWriter& w) {
             Info(w, 1, 2);
             w.chunk("COLR").i32le(1).i32le(2).i32le(3).end();
         }),
         "Path:/DATA/LANG/COLR: At end of CHUNK. Not enough data ?"},
        {"a font too many", Section([](IffWriter& w) {
             Info(w, 1, 1);
             w.chunk("FONT").i32le(1).i32le(2).end();
         }),
         "Path:/DATA/LANG/FONT: extra data in CHUNK"},
        {"a key record of 1001 keys", Section([](IffWriter& w) {
             Info(w, 1, 1);
             w.chunk("TKEY").i32le(0).i32le(1001);
             for (int i = 0; i < 1001; ++i) w.i32le(i);
             w.end();
         }),
         "Too many keys in a TKEY record."},
        {"a key count past the chunk", Section([](IffWriter& w) {
             Info(w, 1, 1);
             w.chunk("TKEY").i32le(0).i32le(3).i32le(1).end();
         }),
         "Path:/DATA/LANG/TKEY: At end of CHUNK. Not enough data ?"},
        {"image cut inside TEXT", Bytes(good.begin(), good.begin() + 60),
         "does not fit in its parent"},
        {"not an IFF image", Bytes{'h', 'e', 'l', 'l', 'o'}, "Cannot enter FORM 'DATA'"},
    };
    for (const auto& c : cases) {
        tw::test::ResetServices();
        LanguageSection section;
        EXPECT_FALSE(section.loadFromImage(c.image.data(), c.image.size(), "bad.enu")) << c.what;
        EXPECT_FALSE(section.isLoaded());
        EXPECT_EQ(section.getNumStrings(), 0);
        std::string log = ReportLog();
        EXPECT_NE(log.find("File:bad.enu, Path:"), std::string::npos) << c.what << "\n" << log;
        EXPECT_NE(log.find(c.message), std::string::npos) << c.what << "\n" << log;
    }
    LanguageSection section;
    EXPECT_TRUE(section.loadFromImage(good.data(), good.size(), "bad.enu"));
}

TEST_F(LanguageTest, OddChunksArePaddedAndUnknownOnesSkipped) {
    Bytes image = Section([](IffWriter& w) {
        Info(w, 1, 2);
        w.chunk("TEXT").str("ab").str("c").end();  // 5 bytes and a pad
        w.chunk("XTRA").u8(1).end();
        w.form("SUBF").chunk("DEEP").end().end();
        w.chunk("FONT").i32le(4).i32le(5).end();
    });
    LanguageSection section;
    ASSERT_TRUE(section.loadFromImage(image.data(), image.size(), "odd.enu"));
    EXPECT_EQ(Text(section.getStr(1)), "c");
    int font = 0;
    EXPECT_TRUE(section.getFont(1, font));
    EXPECT_EQ(font, 5);
    EXPECT_EQ(Count(ReportLog(), "Ignoring Unexpected FORM or CHUNK."), 2u);

    // Zero bytes where a tag should stand end the reading; what came before
    // is kept.
    Bytes zeros = Section([](IffWriter& w) {
        Info(w, 1, 1);
        w.chunk("TEXT").str("kept").end().raw(std::string(4, '\0'));
    });
    ASSERT_TRUE(section.loadFromImage(zeros.data(), zeros.size(), "zeros.enu"));
    EXPECT_EQ(Text(section.getStr(0)), "kept");
    EXPECT_NE(ReportLog().find("Path:/DATA/LANG: Very Strange Error. Maybe Premature EOF?"),
              std::string::npos);
}

TEST_F(LanguageTest, NonEnglishIsDecidedOnceUnlessOverridden) {
    WriteGermanCodes();
    Configure("deu");
    CheckNonEnglishLanguage();
    EXPECT_TRUE(GetNonEnglishLanguage());
    ClearNonEnglishLanguage();
    CheckNonEnglishLanguage();  // once per run
    EXPECT_FALSE(GetNonEnglishLanguage());

    LanguageManager::reset();
    SetNonEnglishOverride();
    CheckNonEnglishLanguage();
    EXPECT_FALSE(GetNonEnglishLanguage());
    SetNonEnglishLanguage();
    EXPECT_TRUE(GetNonEnglishLanguage());
}

TEST_F(LanguageTest, SupportedLanguagesAreRecordedOnce) {
    LanguageManager::recordSupportedLanguage("DEUX");
    LanguageManager::recordSupportedLanguage("deu");
    LanguageManager::recordSupportedLanguage("iff");
    EXPECT_TRUE(LanguageManager::isSupportedLanguage("deu"));
    EXPECT_FALSE(LanguageManager::isSupportedLanguage("iff"));
    EXPECT_NE(ReportLog().find("not recording system file extension 'iff' as a language."),
              std::string::npos);
}

}  // namespace
