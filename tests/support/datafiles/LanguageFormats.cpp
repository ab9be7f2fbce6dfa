#include "support/datafiles/LanguageFormats.h"

#include <sys/stat.h>

#include "support/datafiles/IffFormat.h"

namespace tw::datafiles {

Bytes LanguageCodesImage(const std::vector<LanguageCodeRecord>& codes) {
    IffWriter w;
    w.form("DATA").form("LANG").form("WIN3");
    for (const auto& c : codes)
        w.chunk("CODE").str(c.code).u32le(c.id).str(c.name).str(c.country).end();
    w.end().end().end();
    return w.bytes();
}

bool WriteLanguageCodes(const std::vector<LanguageCodeRecord>& codes, const std::string& path) {
    return WriteBytes(path, LanguageCodesImage(codes));
}

Bytes LanguageSectionImage(const LanguageSectionFile& s) {
    int count = s.stringCount >= 0 ? s.stringCount : static_cast<int>(s.texts.size());
    IffWriter w;
    w.form("DATA").form("LANG");
    w.chunk("INFO").str(s.code).i32le(s.charSize).u32le(0).str(s.name).u32le(0).i32le(count).end();
    if (!s.texts.empty()) {
        w.chunk("TEXT");
        for (const auto& text : s.texts) {
            if (s.charSize == 1) {
                for (char16_t unit : text) w.u8(static_cast<unsigned>(unit) & 0xFF);
                w.u8(0);
            } else {
                w.str16(text);
            }
        }
        w.end();
    }
    if (!s.colours.empty()) {
        w.chunk("COLR");
        for (const auto& abc : s.colours) w.i32le(abc[0]).i32le(abc[1]).i32le(abc[2]);
        w.end();
    }
    if (!s.fonts.empty()) {
        w.chunk("FONT");
        for (int font : s.fonts) w.i32le(font);
        w.end();
    }
    if (!s.positions.empty()) {
        w.chunk("POSN");
        for (const auto& [x, y] : s.positions) w.i32le(x).i32le(y);
        w.end();
    }
    if (!s.frames.empty()) {
        w.chunk("TIME");
        for (const auto& [first, last] : s.frames) w.i32le(first).i32le(last);
        w.end();
    }
    if (!s.keys.empty()) {
        w.chunk("TKEY");
        for (const auto& record : s.keys) {
            w.i32le(record.index).i32le(static_cast<int>(record.keys.size()));
            for (int key : record.keys) w.i32le(key);
        }
        w.end();
    }
    w.end().end();
    return w.bytes();
}

std::string LanguageSectionFileName(const LanguageSectionFile& s) {
    return s.name + "." + s.code;
}

bool WriteLanguageSection(const LanguageSectionFile& s, const std::string& dir) {
    if (!dir.empty()) mkdir(dir.c_str(), 0755);
    return WriteBytes(dir + LanguageSectionFileName(s), LanguageSectionImage(s));
}

}  // namespace tw::datafiles
