#include "strings/LanguageSection.h"

#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "ByteReader.h"
#include "FileManager.h"
#include "Iff.h"
#include "TWReport.h"
#include "strings/LanguageManager.h"

namespace {

const char kSource[] = "../../src/LanguageSection";
const char kLoad[] = "LanguageSection::load:";
const char kLoadText[] = "LanguageSection::loadText:";

constexpr IffTag DATA = MakeIffTag("DATA");
constexpr IffTag LANG = MakeIffTag("LANG");
constexpr IffTag INFO = MakeIffTag("INFO");
constexpr IffTag TEXT = MakeIffTag("TEXT");
constexpr IffTag COLR = MakeIffTag("COLR");
constexpr IffTag FONT = MakeIffTag("FONT");
constexpr IffTag POSN = MakeIffTag("POSN");
constexpr IffTag TIME = MakeIffTag("TIME");
constexpr IffTag TKEY = MakeIffTag("TKEY");

// Reads one zero-terminated string of 8- or 16-bit units; false when the
// data ends first.
bool readUnits(ByteReader& in, int charSize, std::vector<M_WORD>& out) {
    out.clear();
    while (!in.atEnd()) {
        M_WORD unit = charSize == 1 ? in.u8() : in.u16le();
        if (!in.ok()) return false;
        out.push_back(unit);
        if (unit == 0) return true;
    }
    return false;
}

}  // namespace

LanguageSection::LanguageSection() = default;

LanguageSection::~LanguageSection() = default;

void LanguageSection::clear() {
    loaded_ = false;
    languageCode_[0] = 0;
    sectionName_[0] = 0;
    charSize_ = 0;
    infoValueA_ = infoValueB_ = 0;
    stringCount_ = 0;
    strings_.clear();
    firstFrames_.clear();
    lastFrames_.clear();
    posX_.clear();
    posY_.clear();
    colours_.clear();
    fonts_.clear();
    keys_.clear();
}

bool LanguageSection::load(const char* name) {
    if (!name) name = "";
    fileName_ = name;
    std::string user = LanguageManager::getUserLanguageCodeString();
    std::string fallback = LanguageManager::DEFAULT_LANGUAGE_CODE;
    std::vector<std::string> candidates = {
        std::string(name) + "." + user,
        std::string("language/") + name + "." + user,
    };
    if (strcasecmp(user.c_str(), fallback.c_str()) != 0) {
        candidates.push_back(std::string(name) + "." + fallback);
        candidates.push_back(std::string("language/") + name + "." + fallback);
    }
    for (const std::string& candidate : candidates) {
        M_BYTE* data = nullptr;
        int bytes = FileManager::load(candidate.c_str(), &data);
        if (bytes <= 0) continue;
        bool parsed = loadFromImage(data, static_cast<size_t>(bytes), candidate.c_str());
        delete[] data;
        if (parsed) return true;
        TWReport::error("LanguageSection::load: file '%s' refused.\n", candidate.c_str());
    }
    TWReport::warning("LanguageSection::load: cannot load from file '%s'.\n", name);
    return false;
}

bool LanguageSection::loadFromImage(const M_BYTE* data, size_t length, const char* fileName) {
    clear();
    Iff iff(data, length);
    iff.setFileName(fileName);
    if (!parse(iff) || iff.hasFailed()) {
        clear();
        return false;
    }
    loaded_ = true;
    return true;
}

bool LanguageSection::parse(Iff& iff) {
    if (!iff.enterForm(DATA) || !iff.enterForm(LANG) || !loadInfo(iff)) return false;
    while (!iff.atEndOfForm() && !iff.hasFailed()) {
        if (iff.isForm(0)) {
            iff.reportError(kLoad, "Ignoring Unexpected FORM or CHUNK.", false);
            iff.enterForm(0);
            iff.exitForm(0);
            continue;
        }
        IffTag tag = iff.getCurrentTag();
        if (tag == 0) {
            iff.reportError(kLoad, "Very Strange Error. Maybe Premature EOF?", false);
            break;
        }
        bool ok = true;
        switch (tag) {
            case TEXT:
                ok = loadText(iff);
                break;
            case COLR: {
                std::vector<int> abc;
                ok = loadValues(iff, tag, 3, abc);
                colours_.resize(ok ? stringCount_ : 0);
                for (size_t i = 0; i < colours_.size(); ++i) {
                    M_DWORD a = static_cast<M_DWORD>(abc[3 * i]);
                    M_DWORD b = static_cast<M_DWORD>(abc[3 * i + 1]);
                    M_DWORD c = static_cast<M_DWORD>(abc[3 * i + 2]);
                    colours_[i] = static_cast<int>((a << 16) + (b << 8) + c);
                }
                break;
            }
            case FONT:
                ok = loadValues(iff, tag, 1, fonts_);
                break;
            case POSN:
            case TIME: {
                std::vector<int> pairs;
                ok = loadValues(iff, tag, 2, pairs);
                std::vector<int>& first = tag == POSN ? posX_ : firstFrames_;
                std::vector<int>& second = tag == POSN ? posY_ : lastFrames_;
                first.clear();
                second.clear();
                for (size_t i = 0; ok && i + 1 < pairs.size(); i += 2) {
                    first.push_back(pairs[i]);
                    second.push_back(pairs[i + 1]);
                }
                break;
            }
            case TKEY:
                ok = loadKeys(iff);
                break;
            default:
                iff.reportError(kLoad, "Ignoring Unexpected FORM or CHUNK.", false);
                ok = iff.enterChunk(tag) && iff.exitChunk(tag, false);
                break;
        }
        if (!ok) return false;
    }
    return iff.exitForm(LANG) && iff.exitForm(DATA);
}

bool LanguageSection::loadInfo(Iff& iff) {
    if (!iff.enterChunk(INFO)) return false;
    iff.readString(languageCode_, sizeof languageCode_);
    charSize_ = iff.readInt32(false);
    if (iff.hasFailed()) return false;
    if (charSize_ != 1 && charSize_ != 2) {
        iff.refuse(kLoad, "Illegal character size.");
        return false;
    }
    infoValueA_ = iff.readInt32(false);
    iff.readString(sectionName_, sizeof sectionName_);
    infoValueB_ = iff.readInt32(false);
    stringCount_ = iff.readInt32(false);
    if (iff.hasFailed()) return false;
    if (stringCount_ <= 0) {
        iff.refuse(kLoad, "stringCount <= 0.");
        return false;
    }
    if (iff.charsLeft() != 0) {
        iff.refuse(kLoad, "Extra data in CHUNK INFO.");
        return false;
    }
    return iff.exitChunk(INFO, true);
}

bool LanguageSection::loadText(Iff& iff) {
    if (!iff.enterChunk(TEXT)) return false;
    unsigned left = iff.charsLeft();
    // Every string takes at least its terminator: a count the chunk cannot
    // hold is refused before anything is allocated for it.
    if (static_cast<std::uint64_t>(stringCount_) * charSize_ > left) {
        iff.refuse(kLoadText, "NOT ENOUGH DATA! Check string count.");
        return false;
    }
    ByteReader in(iff.getCurrentPosition(), left);
    strings_.clear();
    strings_.reserve(stringCount_);
    std::vector<M_WORD> units;
    for (int i = 0; i < stringCount_; ++i) {
        if (!readUnits(in, charSize_, units)) {
            strings_.clear();
            iff.refuse(kLoadText, "NOT ENOUGH DATA! Check string count.");
            return false;
        }
        strings_.push_back(std::make_unique<USimStr>(units.data()));
    }
    if (!in.atEnd()) {
        strings_.clear();
        iff.refuse(kLoadText, "TOO MUCH DATA! Check string count.");
        return false;
    }
    return iff.exitChunk(TEXT, false);
}

bool LanguageSection::loadValues(Iff& iff, M_DWORD tag, int perString, std::vector<int>& out) {
    out.clear();
    if (!iff.enterChunk(tag)) return false;
    std::uint64_t needed = static_cast<std::uint64_t>(stringCount_) * perString * 4;
    if (iff.charsLeft() < needed) {
        iff.refuse(kLoad, "At end of CHUNK. Not enough data ?");
        return false;
    }
    out.reserve(static_cast<size_t>(stringCount_) * perString);
    for (int i = 0; i < stringCount_ * perString; ++i) out.push_back(iff.readInt32(false));
    if (!iff.exitChunk(tag, true)) {
        out.clear();
        return false;
    }
    return true;
}

bool LanguageSection::loadKeys(Iff& iff) {
    keys_.clear();
    if (!iff.enterChunk(TKEY)) return false;
    if (static_cast<std::uint64_t>(stringCount_) * 8 > iff.charsLeft()) {
        iff.refuse(kLoad, "At end of CHUNK. Not enough data ?");
        return false;
    }
    keys_.reserve(stringCount_);
    for (int i = 0; i < stringCount_; ++i) {
        KeyRecord record;
        record.index = iff.readInt32(false);
        int count = iff.readInt32(false);
        if (iff.hasFailed()) break;
        if (count < 0 || count > MAX_KEYS_PER_RECORD) {
            iff.refuse(kLoad, "Too many keys in a TKEY record.");
            break;
        }
        if (static_cast<unsigned>(count) * 4u > iff.charsLeft()) {
            iff.refuse(kLoad, "At end of CHUNK. Not enough data ?");
            break;
        }
        for (int k = 0; k < count; ++k) record.keys.push_back(iff.readInt32(false));
        keys_.push_back(std::move(record));
    }
    if (iff.hasFailed() || !iff.exitChunk(TKEY, true)) {
        keys_.clear();
        return false;
    }
    return true;
}

USimStr* LanguageSection::getStr(int number) {
    USimStr* found = nullptr;
    if (!keys_.empty()) {
        for (const KeyRecord& record : keys_) {
            bool match = false;
            for (int key : record.keys) match = match || key == number;
            if (!match) continue;
            // The index comes from the file: it is checked like a number.
            if (record.index < 0 || record.index >= static_cast<int>(strings_.size())) {
                TWReport::error(
                    "FILE:%s, Function:LanguageSection::getStr: string index (%d) of key (%d) out "
                    "of range (0-%d)\n",
                    kSource, record.index, number, stringCount_ - 1);
            } else {
                found = strings_[record.index].get();
            }
            break;
        }
        if (!found)
            TWReport::error("LanguageSection::getStr:string number (%d) is NULL !\n", number);
        return found;
    }
    if (number < 0 || number >= stringCount_) {
        TWReport::error(
            "FILE:%s, Function:LanguageSection::getStr: given string number (%d) out of range "
            "(0-%d)\n",
            kSource, number, stringCount_ - 1);
    } else if (number < static_cast<int>(strings_.size())) {
        found = strings_[number].get();
    }
    if (!found) {
        TWReport::error("FILE:%s, Function:LanguageSection::getStr: string number (%d) is NULL !\n",
                        kSource, number);
        TWReport::error("LanguageSection::getStr:string number (%d) is NULL !\n", number);
    }
    return found;
}

USimStr* LanguageSection::getStrForFrame(int frame, int& index) {
    index = -1;
    if (firstFrames_.empty()) {
        TWReport::error(
            "FILE:%s, Function:LanguageSection::getStrForFrame: no frame timing information\n",
            kSource);
        return nullptr;
    }
    for (size_t i = 0; i < firstFrames_.size(); ++i) {
        if (firstFrames_[i] <= frame && frame <= lastFrames_[i]) {
            index = static_cast<int>(i);
            return i < strings_.size() ? strings_[i].get() : nullptr;
        }
    }
    return nullptr;
}

bool LanguageSection::inRange(int i, const std::vector<int>& values) const {
    return i >= 0 && i < static_cast<int>(values.size());
}

bool LanguageSection::getFont(int i, int& font) const {
    if (!inRange(i, fonts_)) return false;
    font = fonts_[i];
    return true;
}

bool LanguageSection::getColor(int i, int& colour) const {
    if (!inRange(i, colours_)) return false;
    colour = colours_[i];
    return true;
}

int LanguageSection::getPosX(int i) const {
    return inRange(i, posX_) ? posX_[i] : 0;
}

int LanguageSection::getPosY(int i) const {
    return inRange(i, posY_) ? posY_[i] : 0;
}
