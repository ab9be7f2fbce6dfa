// Fixture writers of the language files: "langcode.iff" and the section
// files "<section>.<code>".  Both are IFF images (IffFormat.h) whose numbers
// are 32-bit little-endian.
//
//   langcode.iff: FORM DATA / FORM LANG / FORM WIN3 / CHUNK CODE per language:
//                 code (text), id, language name (text), country (text)
//   section:      FORM DATA / FORM LANG / CHUNK INFO: code (text), character
//                 size (1 or 2), 0, section name (text), 0, string count;
//                 then TEXT, COLR (a, b, c), FONT, POSN (x, y), TIME (first,
//                 last), TKEY (index, key count, keys) for the tables given
//
//   WriteLanguageCodes({{"deu", 'd', "German", "Germany"}});
//   WriteLanguageSection({.name = "chat", .code = "deu", .texts = {u"Hallo",
//   u"Tsch\u00fc\u00df"}}); WriteLanguageSection({.name = "intro", .charSize = 1, .texts =
//   {u"Welcome"}}, "language/");
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/datafiles/DataFile.h"

namespace tw::datafiles {

struct LanguageCodeRecord {
    std::string code;
    std::uint32_t id = 0;
    std::string name;
    std::string country;
};

Bytes LanguageCodesImage(const std::vector<LanguageCodeRecord>& codes);
bool WriteLanguageCodes(const std::vector<LanguageCodeRecord>& codes,
                        const std::string& path = "langcode.iff");

struct SectionKeyRecord {
    int index = 0;
    std::vector<int> keys = {};
};

// One section file.  Each table that is not empty becomes its chunk, in the
// order of the fields; the tables are written as given, so a test may make
// them disagree with the string count.
struct LanguageSectionFile {
    std::string name = {};
    std::string code = "enu";
    int charSize = 2;
    // With character size 1 every unit is written as one byte.
    std::vector<std::u16string> texts = {};
    std::vector<std::array<int, 3>> colours = {};
    std::vector<int> fonts = {};
    std::vector<std::pair<int, int>> positions = {};
    std::vector<std::pair<int, int>> frames = {};
    std::vector<SectionKeyRecord> keys = {};
    // The INFO count; below 0, the number of texts.
    int stringCount = -1;
};

Bytes LanguageSectionImage(const LanguageSectionFile& section);
// "<name>.<code>" in dir ("" for the working directory, or "language/").
std::string LanguageSectionFileName(const LanguageSectionFile& section);
bool WriteLanguageSection(const LanguageSectionFile& section, const std::string& dir = "");

}  // namespace tw::datafiles
