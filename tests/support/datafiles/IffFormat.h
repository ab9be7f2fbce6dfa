// Fixture writer of IFF container images (the language files' layout).
//
//   FORM:  "FORM"  u32 BE length (type + contents)  4-char type  contents
//   CHUNK: 4-char tag  u32 BE length  data  [one pad byte when odd]
//
// Each length is filled in when its FORM or CHUNK is closed; values inside
// chunks are written as the caller asks (the language files use
// little-endian numbers).
//
//   IffWriter w;
//   w.form("DATA").form("LANG").chunk("INFO").str("enu").u32le(2).end().end().end();
//   WriteBytes("intro.enu", w.bytes());
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ByteWriter.h"
#include "support/datafiles/DataFile.h"

namespace tw::datafiles {

class IffWriter {
public:
    IffWriter() : out_(bytes_) {}
    IffWriter(const IffWriter&) = delete;
    IffWriter& operator=(const IffWriter&) = delete;

    // Opens a FORM of the given type or a CHUNK with the given tag (four
    // characters); end() closes the innermost one.
    IffWriter& form(std::string_view type);
    IffWriter& chunk(std::string_view tag);
    IffWriter& end();
    // A whole chunk from bytes.
    IffWriter& chunk(std::string_view tag, const Bytes& data);

    IffWriter& u8(unsigned v);
    IffWriter& u32le(std::uint32_t v);
    IffWriter& u32be(std::uint32_t v);
    IffWriter& i32le(std::int32_t v) { return u32le(static_cast<std::uint32_t>(v)); }
    IffWriter& raw(const Bytes& data);
    IffWriter& raw(std::string_view text);
    // Zero-terminated 8-bit text.
    IffWriter& str(std::string_view text);
    // Zero-terminated 16-bit text, little-endian units.
    IffWriter& str16(std::u16string_view text);

    int depth() const { return static_cast<int>(open_.size()); }
    // The image; every FORM and CHUNK must be closed.
    const Bytes& bytes() const;

private:
    struct Open {
        size_t start;
        bool chunk;
    };

    Bytes bytes_;
    ByteWriter out_;
    std::vector<Open> open_;
};

}  // namespace tw::datafiles
