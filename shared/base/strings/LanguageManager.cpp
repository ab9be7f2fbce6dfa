#include "strings/LanguageManager.h"

#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "ConfigurationManager.h"
#include "FileManager.h"
#include "Iff.h"
#include "TWReport.h"

namespace {

const char kLoadCodes[] = "LanguageManager::loadLanguageCodes:";

constexpr IffTag DATA = MakeIffTag("DATA");
constexpr IffTag LANG = MakeIffTag("LANG");
constexpr IffTag WIN3 = MakeIffTag("WIN3");
constexpr IffTag CODE = MakeIffTag("CODE");

// Lives from startup to shutdown.
bool s_started = false;
bool s_starting = false;
LanguageCode* s_codes = nullptr;  // newest first; the first match wins
LanguageCode* s_defaultCode = nullptr;
LanguageCode* s_userCode = nullptr;
char s_userCodeString[4] = {};
std::vector<std::string> s_supported;   // newest first
LanguageSection* s_sections = nullptr;  // newest first

// Lives for the process.
bool s_nonEnglish = false;
bool s_nonEnglishOverride = false;
bool s_nonEnglishChecked = false;

void freeCodes() {
    while (s_codes) {
        LanguageCode* next = s_codes->next;
        delete s_codes;
        s_codes = next;
    }
    s_defaultCode = s_userCode = nullptr;
}

void freeSections() {
    while (s_sections) {
        LanguageSection* next = s_sections->next;
        delete s_sections;
        s_sections = next;
    }
}

bool same(const char* a, const char* b) {
    return strcasecmp(a ? a : "", b ? b : "") == 0;
}

// A loaded section answers for the language of its INFO and for the one it
// was asked for, so that a section the default language's file stood in for
// is not loaded again on every request.
bool matches(const LanguageSection* s, const char* fileName, const char* code,
             const char* sectionName) {
    return same(s->getFileName(), fileName) &&
           (same(s->getLanguageCode(), code) || same(s->getRequestedCode(), code)) &&
           same(s->getSectionName(), sectionName);
}

void copyCode(char* out, const char* code) {
    size_t n = 0;
    for (; code && n < 3 && code[n]; ++n) out[n] = code[n];
    out[n] = 0;
}

// Reads one CODE chunk (entered) into a new record; null when it is refused.
// A failed read leaves the text untouched, so nothing is taken from it after
// one.
LanguageCode* readCodeChunk(Iff& iff) {
    char text[LanguageManager::MAX_CODE_CHUNK + 1];
    auto record = std::make_unique<LanguageCode>();
    if (!iff.readString(text, sizeof text)) return nullptr;
    for (int i = 0; i < 3 && text[i]; ++i)
        record->code[i] = static_cast<char>(tolower(static_cast<unsigned char>(text[i])));
    M_BYTE id = static_cast<M_BYTE>(iff.readInt32(false) & 0xFF);
    record->id = id == '?' ? 0 : id;
    if (iff.hasFailed() || !iff.readString(text, sizeof text)) return nullptr;
    record->name = text;
    if (!iff.readString(text, sizeof text)) return nullptr;
    record->country = text;
    return record.release();
}

// Parses the image into records in file order; on a refusal nothing is kept,
// so that a malformed file adds no language.
std::vector<LanguageCode*> parseLanguageCodes(const M_BYTE* data, size_t length) {
    Iff iff(data, length);
    iff.setFileName("langcode.iff");
    std::vector<LanguageCode*> list;
    if (iff.enterForm(DATA) && iff.enterForm(LANG) && iff.enterForm(WIN3)) {
        while (!iff.atEndOfForm() && !iff.hasFailed()) {
            if (iff.isChunk(CODE)) {
                iff.enterChunk(CODE);
                if (iff.charsLeft() > static_cast<unsigned>(LanguageManager::MAX_CODE_CHUNK)) {
                    iff.reportError(kLoadCodes, "Ignoring Unusually large CHUNK CODE.", false);
                } else if (LanguageCode* record = readCodeChunk(iff)) {
                    list.push_back(record);
                }
                iff.exitChunk(CODE, false);
            } else if (iff.isForm(0)) {
                iff.reportError(kLoadCodes, "Ignoring Unexpected FORM or CHUNK.", false);
                iff.enterForm(0);
                iff.exitForm(0);
            } else if (IffTag tag = iff.getCurrentTag()) {
                iff.reportError(kLoadCodes, "Ignoring Unexpected FORM or CHUNK.", false);
                iff.enterChunk(tag);
                iff.exitChunk(tag, false);
            } else {
                iff.reportError(kLoadCodes, "Very Strange Error. Maybe Premature EOF?", false);
                break;
            }
        }
        iff.exitForm(WIN3);
        iff.exitForm(LANG);
        iff.exitForm(DATA);
    }
    if (!iff.hasFailed()) return list;
    TWReport::error("LanguageManager::loadLanguageCodes: file 'langcode.iff' refused.\n");
    for (LanguageCode* record : list) delete record;
    return {};
}

}  // namespace

void LanguageManager::startup() {
    if (s_started || s_starting) return;
    s_starting = true;
    s_defaultCode = new LanguageCode;
    copyCode(s_defaultCode->code, DEFAULT_LANGUAGE_CODE);
    s_defaultCode->id = DEFAULT_LANGUAGE_ID;
    s_defaultCode->name = "English";
    s_defaultCode->country = "United States";
    s_defaultCode->next = s_codes;
    s_codes = s_defaultCode;

    loadLanguageCodes();
    setLanguageDefaults();
    if (const char* configured = ConfigurationManager::getValue("UserLanguageCodeString")) {
        setUserLanguageCodeString(configured);
        setLanguageDefaults();
    }
    findSupportedLanguages();
    preLoad();
    TWReport::print("LanguageManager::startup: user language set to '%s'.\n", s_userCodeString);
    s_starting = false;
    s_started = true;
}

void LanguageManager::shutdown() {
    freeSections();
    freeCodes();
    s_supported.clear();
    s_userCodeString[0] = 0;
    s_started = false;
}

void LanguageManager::reset() {
    shutdown();
    s_starting = false;
    s_nonEnglish = s_nonEnglishOverride = s_nonEnglishChecked = false;
}

void LanguageManager::loadLanguageCodes() {
    M_BYTE* data = nullptr;
    int bytes = FileManager::load("language/langcode.iff", &data);
    if (bytes <= 0) bytes = FileManager::load("langcode.iff", &data);
    if (bytes <= 0) {
        TWReport::warning(
            "LanguageManager::loadLanguageCodes: file 'langcode.iff'. no bytes read.\n");
    } else {
        TWReport::print(
            "LanguageManager::loadLanguageCodes: loaded %d bytes from file 'langcode.iff'.\n",
            bytes);
        loadLanguageCodes(data, static_cast<size_t>(bytes));
    }
    delete[] data;
    TWReport::print("LanguageManager::loadLanguageCodes: loaded language codes.\n");
}

void LanguageManager::loadLanguageCodes(const M_BYTE* data, size_t length) {
    // Each record goes in front, so the file's last record of a code wins.
    for (LanguageCode* record : parseLanguageCodes(data, length)) {
        record->next = s_codes;
        s_codes = record;
    }
}

void LanguageManager::setLanguageDefaults() {
    TWReport::print("LanguageManager::setLanguageDefaults: start...\n");
    if (!s_userCodeString[0]) copyCode(s_userCodeString, DEFAULT_LANGUAGE_CODE);
    s_userCode = findLanguageCode(s_userCodeString);
    if (!s_userCode) {
        TWReport::warning(
            "LanguageManager::setLanguageDefaults: Your O.S. is currently running in a language "
            "not supported by the Translation Server. Text may not be translated for you.\n");
        copyCode(s_userCodeString, DEFAULT_LANGUAGE_CODE);
        s_userCode = findLanguageCode(s_userCodeString);
    }
    TWReport::print("LanguageManager::setLanguageDefaults: stop...\n");
}

void LanguageManager::preLoad() {
    TWReport::print("LanguageManager::preLoad.\n");
    TWReport::print("LanguageManager::preLoad: user language set to '%s'.\n", s_userCodeString);
    static const char* const kNames[] = {"intro",    "gt_0000", "gt_1010", "gt_2000",
                                         "gt_2310",  "gt_2400", "gt_5000", "gt_5400",
                                         "skilname", "chat",    "options"};
    for (const char* name : kNames) loadSection(name, s_userCodeString, name, FALSE, FALSE);
    char name[16];
    for (int i = 1; i <= 6; ++i) {
        snprintf(name, sizeof name, "%dgen", i);
        loadSection(name, s_userCodeString, name, FALSE, FALSE);
    }
    for (int i = 1; i <= 46; ++i) {
        snprintf(name, sizeof name, "skill%02d", i);
        loadSection(name, s_userCodeString, name, FALSE, FALSE);
    }
}

LanguageSection* LanguageManager::loadSection(const char* fileName, const char* languageCode,
                                              const char* sectionName, BOOL force, BOOL mustExist) {
    if (!s_started && !s_starting) {
        TWReport::warning("LanguageManager::loadSection: had to call 'startup'.\n");
        startup();
    }
    if (force) {
        TWReport::warning(
            "LanguageManager::loadSection: forcing load of section '%s' from file '%s'\n",
            sectionName ? sectionName : "", fileName ? fileName : "");
        for (LanguageSection** link = &s_sections; *link;) {
            if (matches(*link, fileName, languageCode, sectionName)) {
                LanguageSection* gone = *link;
                *link = gone->next;
                delete gone;
            } else {
                link = &(*link)->next;
            }
        }
    }
    for (LanguageSection* s = s_sections; s; s = s->next)
        if (matches(s, fileName, languageCode, sectionName)) return s;

    auto* section = new LanguageSection;
    section->setRequestedCode(languageCode);
    if (section->load(fileName)) {
        section->next = s_sections;
        s_sections = section;
        return section;
    }
    delete section;
    if (mustExist) {
        char text[1024];
        snprintf(text, sizeof text, "no section <%s> found for language <%s> in file <%s>.\n",
                 sectionName ? sectionName : "", s_userCodeString, fileName ? fileName : "");
        TWReport::fatal("LanguageManager::loadSection: %s\n", text);
    }
    return nullptr;
}

LanguageSection* LanguageManager::loadSection(const char* fileName,
                                              const LanguageCode* languageCode,
                                              const char* sectionName, BOOL force, BOOL mustExist) {
    if (!languageCode && !s_started && !s_starting) {
        TWReport::warning("LanguageManager::loadSection: had to call 'startup'.\n");
        startup();
    }
    const char* code = languageCode ? languageCode->code : s_userCodeString;
    return loadSection(fileName, code, sectionName, force, mustExist);
}

LanguageSection* LanguageManager::getSection(const char* fileName, const char* languageCode,
                                             const char* sectionName) {
    for (LanguageSection* s = s_sections; s; s = s->next)
        if (matches(s, fileName, languageCode, sectionName)) return s;
    TWReport::fatal("LanguageManager::getSection: no section named '%s' loaded.\n",
                    sectionName ? sectionName : "");
}

LanguageCode* LanguageManager::getUserLanguageCode() {
    return s_userCode;
}

const char* LanguageManager::getUserLanguageCodeString() {
    return s_userCodeString;
}

void LanguageManager::setUserLanguageCodeString(const char* code) {
    if (!code)
        TWReport::warning(
            "LanguageManager::setUserLanguageCodeString: ! ul. not setting user language "
            "code.\n");
    else
        copyCode(s_userCodeString, code);
    TWReport::print("LanguageManager::setUserLanguageCodeString: userLanguageCodeString='%s'.\n",
                    s_userCodeString);
}

LanguageCode* LanguageManager::findLanguageCode(const char* code) {
    if (!code) return nullptr;
    for (LanguageCode* c = s_codes; c; c = c->next)
        if (same(c->code, code)) return c;
    return nullptr;
}

const char* LanguageManager::getLanguageName() {
    if (LanguageCode* c = findLanguageCode(s_userCodeString)) return c->name.c_str();
    if (s_defaultCode) return s_defaultCode->name.c_str();
    TWReport::fatal(
        "LanguageManager::getLanguageName: cannot get language name. would be returning "
        "NULL.\n");
}

int LanguageManager::getLanguageId(const char* code) {
    if (!code) return s_userCode ? s_userCode->id : 0;
    if (LanguageCode* c = findLanguageCode(code)) return c->id;
    return s_defaultCode ? s_defaultCode->id : DEFAULT_LANGUAGE_ID;
}

LanguageCode* LanguageManager::getDefaultFileExtension() {
    if (!s_defaultCode)
        TWReport::fatal(
            "LanguageManager::getDefaultFileExtension: shouldn't really be here. perhaps "
            "'defaultLanguageCode' was not set?\n");
    return s_defaultCode;
}

void LanguageManager::recordSupportedLanguage(const char* code) {
    if (!code || isSupportedLanguage(code)) return;
    if (same(code, "iff")) {
        TWReport::print(
            "LanguageManager::recordSupportedLanguage: not recording system file extension '%s' "
            "as a language.\n",
            code);
        return;
    }
    char three[4];
    copyCode(three, code);
    s_supported.insert(s_supported.begin(), three);
}

void LanguageManager::findSupportedLanguages() {
    TWReport::print("LanguageManager::findSupportedLanguages.\n");
}

bool LanguageManager::isSupportedLanguage(const char* code) {
    for (const std::string& supported : s_supported)
        if (same(supported.c_str(), code)) return true;
    return false;
}

void CheckNonEnglishLanguage() {
    if (s_nonEnglishChecked) return;
    s_nonEnglishChecked = true;
    LanguageManager::startup();
    if (s_nonEnglishOverride) return;
    s_nonEnglish = !same(LanguageManager::getLanguageName(), "english");
}

BOOL GetNonEnglishLanguage() {
    return s_nonEnglish ? TRUE : FALSE;
}

void SetNonEnglishLanguage() {
    s_nonEnglish = true;
}

void ClearNonEnglishLanguage() {
    s_nonEnglish = false;
}

void SetNonEnglishOverride() {
    s_nonEnglishOverride = true;
}
