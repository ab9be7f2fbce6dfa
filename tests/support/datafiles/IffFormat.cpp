#include "support/datafiles/IffFormat.h"

#include <cstdio>
#include <cstdlib>

namespace tw::datafiles {

namespace {

// Exactly four characters, padded with spaces when shorter.
std::string fourChars(std::string_view tag) {
    std::string text(tag.substr(0, 4));
    text.resize(4, ' ');
    return text;
}

}  // namespace

IffWriter& IffWriter::form(std::string_view type) {
    open_.push_back({bytes_.size(), false});
    out_.raw("FORM").u32be(0).raw(fourChars(type));
    return *this;
}

IffWriter& IffWriter::chunk(std::string_view tag) {
    open_.push_back({bytes_.size(), true});
    out_.raw(fourChars(tag)).u32be(0);
    return *this;
}

IffWriter& IffWriter::end() {
    if (open_.empty()) {
        fprintf(stderr, "IffWriter::end: nothing is open\n");
        abort();
    }
    Open open = open_.back();
    open_.pop_back();
    size_t length = bytes_.size() - open.start - 8;
    out_.patchU32be(open.start + 4, static_cast<std::uint32_t>(length));
    if (open.chunk && (length & 1)) out_.u8(0);
    return *this;
}

IffWriter& IffWriter::chunk(std::string_view tag, const Bytes& data) {
    return chunk(tag).raw(data).end();
}

IffWriter& IffWriter::u8(unsigned v) {
    out_.u8(v);
    return *this;
}

IffWriter& IffWriter::u32le(std::uint32_t v) {
    out_.u32le(v);
    return *this;
}

IffWriter& IffWriter::u32be(std::uint32_t v) {
    out_.u32be(v);
    return *this;
}

IffWriter& IffWriter::raw(const Bytes& data) {
    out_.raw(data.data(), data.size());
    return *this;
}

IffWriter& IffWriter::raw(std::string_view text) {
    out_.raw(text);
    return *this;
}

IffWriter& IffWriter::str(std::string_view text) {
    out_.raw(text).u8(0);
    return *this;
}

IffWriter& IffWriter::str16(std::u16string_view text) {
    for (char16_t unit : text) out_.u16le(unit);
    out_.u16le(0);
    return *this;
}

const Bytes& IffWriter::bytes() const {
    if (!open_.empty()) {
        fprintf(stderr, "IffWriter::bytes: %zu FORMs or CHUNKs still open\n", open_.size());
        abort();
    }
    return bytes_;
}

}  // namespace tw::datafiles
