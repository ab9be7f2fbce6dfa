// LanguageManager: the client's languages and its localised string sections.
//
// The languages come from "langcode.iff" (looked for under "language/",
// then in the search paths):
//
//   FORM DATA / FORM LANG / FORM WIN3, holding CHUNKs CODE (at most 1024
//   bytes each): language code (text; its first three characters, lower
//   case), id (32-bit little-endian; its low byte, '?' meaning 0), language
//   name (text), country name (text)
//
// The default language "enu" (English, United States, id 101) is always
// known.  The user's language comes from the configuration key
// "UserLanguageCodeString"; a code that no record names falls back to "enu".
// Sections (see LanguageSection.h) are loaded once and kept until shutdown
// or a forced reload.  All state lives from startup to shutdown.
#pragma once

#include <cstddef>
#include <string>

#include "TWTypes.h"
#include "strings/LanguageSection.h"

struct LanguageCode {
    char code[4] = {};  // first, so that a record reads as its code
    M_BYTE id = 0;
    std::string name;
    std::string country;
    LanguageCode* next = nullptr;
};

class LanguageManager {
public:
    static constexpr const char* DEFAULT_LANGUAGE_CODE = "enu";
    static constexpr int DEFAULT_LANGUAGE_ID = 101;
    static constexpr int MAX_CODE_CHUNK = 1024;

    static void startup();
    static void shutdown();

    // Returns the loaded section of that file, language and section name, or
    // loads it.  force reloads it; mustExist makes a missing section fatal.
    static LanguageSection* loadSection(const char* fileName, const char* languageCode,
                                        const char* sectionName, BOOL force, BOOL mustExist);
    static LanguageSection* loadSection(const char* fileName, const LanguageCode* languageCode,
                                        const char* sectionName, BOOL force, BOOL mustExist);
    // A section that must have been loaded before (fatal otherwise).
    static LanguageSection* getSection(const char* fileName, const char* languageCode,
                                       const char* sectionName);

    static LanguageCode* getUserLanguageCode();
    static const char* getUserLanguageCodeString();
    static void setUserLanguageCodeString(const char* code);
    static const char* getLanguageName();
    static int getLanguageId(const char* code);
    static LanguageCode* getDefaultFileExtension();
    // The first known record of that code (letter case aside), or null.
    static LanguageCode* findLanguageCode(const char* code);

    static void recordSupportedLanguage(const char* code);
    static void findSupportedLanguages();
    static bool isSupportedLanguage(const char* code);

    // Adds the languages of a "langcode.iff" image (what startup does with
    // the file); a malformed image adds none.
    static void loadLanguageCodes(const M_BYTE* data, size_t length);

    // Test support: forget everything without logging.
    static void reset();

private:
    static void loadLanguageCodes();
    static void setLanguageDefaults();
    static void preLoad();
};

// Whether the user's language is other than English: decided once per run
// by CheckNonEnglishLanguage unless the override is set (the configuration
// key for this mode sets the override together with the flag).
void CheckNonEnglishLanguage();
BOOL GetNonEnglishLanguage();
void SetNonEnglishLanguage();
void ClearNonEnglishLanguage();
void SetNonEnglishOverride();
