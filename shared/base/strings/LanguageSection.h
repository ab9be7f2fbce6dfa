// LanguageSection: one localised string table, loaded from a section file.
//
// A section file is named "<section>.<language code>" (also looked for under
// "language/") and is an IFF image; every number is a 32-bit little-endian
// value:
//
//   FORM DATA
//     FORM LANG
//       CHUNK INFO  language code (text, < 512), character size (1 or 2),
//                   unused value, section name (text, < 512), unused value,
//                   string count (> 0); nothing after it
//       then in any order, each optional:
//       CHUNK TEXT  string count zero-terminated strings: bytes (size 1) or
//                   little-endian 16-bit units (size 2); nothing after them
//       CHUNK COLR  per string a, b, c: colour (a << 16) + (b << 8) + c
//       CHUNK FONT  per string a font number
//       CHUNK POSN  per string x, y
//       CHUNK TIME  per string first frame, last frame
//       CHUNK TKEY  per string: string index, key count n (<= 1000), n keys
//
// Section files are untrusted: a file that does not match this layout is
// refused with a log line naming the file and the tag path, and the next
// candidate file (the default language's) is tried.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "TWTypes.h"
#include "strings/USimStr.h"

class Iff;

class LanguageSection {
public:
    static constexpr int MAX_NAME_LENGTH = 512;
    static constexpr int MAX_KEYS_PER_RECORD = 1000;

    LanguageSection();
    ~LanguageSection();
    LanguageSection(const LanguageSection&) = delete;
    LanguageSection& operator=(const LanguageSection&) = delete;

    // Loads "<name>.<user code>", then "language/<name>.<user code>", then
    // the same two with the default code; the first file that loads and
    // parses wins.
    bool load(const char* name);
    // Parses one image (the file name is for messages); false, with the
    // section left empty, when the image is refused.
    bool loadFromImage(const M_BYTE* data, size_t length, const char* fileName);

    // By number: through the TKEY records when the file has them, else the
    // number is the index.  Null (with an error line) when there is none.
    USimStr* getStr(int number);
    // The first string whose frame range holds frame; index -1 and null when
    // none does.
    USimStr* getStrForFrame(int frame, int& index);
    bool getFont(int i, int& font) const;
    bool getColor(int i, int& colour) const;
    int getPosX(int i) const;
    int getPosY(int i) const;
    int getNumStrings() const { return stringCount_; }

    bool isLoaded() const { return loaded_; }
    // The name it was loaded for, and the code and name from its INFO.
    const char* getFileName() const { return fileName_.c_str(); }
    const char* getLanguageCode() const { return languageCode_; }
    const char* getSectionName() const { return sectionName_; }
    int getCharSize() const { return charSize_; }
    // The language code it was asked for; differs from the INFO code when
    // the default language's file stood in.
    const char* getRequestedCode() const { return requestedCode_.c_str(); }
    void setRequestedCode(const char* code) { requestedCode_ = code ? code : ""; }

    LanguageSection* next = nullptr;

private:
    struct KeyRecord {
        int index;
        std::vector<int> keys;
    };

    void clear();
    bool parse(Iff& iff);
    bool loadInfo(Iff& iff);
    bool loadText(Iff& iff);
    bool loadValues(Iff& iff, M_DWORD tag, int perString, std::vector<int>& out);
    bool loadKeys(Iff& iff);
    bool inRange(int i, const std::vector<int>& values) const;

    bool loaded_ = false;
    std::string fileName_;
    std::string requestedCode_;
    char languageCode_[MAX_NAME_LENGTH] = {};
    char sectionName_[MAX_NAME_LENGTH] = {};
    int charSize_ = 0;
    int infoValueA_ = 0;
    int infoValueB_ = 0;
    int stringCount_ = 0;
    std::vector<std::unique_ptr<USimStr>> strings_;
    std::vector<int> firstFrames_;
    std::vector<int> lastFrames_;
    std::vector<int> posX_;
    std::vector<int> posY_;
    std::vector<int> colours_;
    std::vector<int> fonts_;
    std::vector<KeyRecord> keys_;
};
