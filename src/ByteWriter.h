// ByteWriter: appends fixed-width fields to a growing byte vector, field by
// field (never a struct dump).  Used by message builders, file writers and
// the test fixture writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "TWTypes.h"

class ByteWriter {
public:
    ByteWriter() = default;
    explicit ByteWriter(std::vector<M_BYTE>& out) : out_(&out) {}
    ByteWriter(const ByteWriter&) = delete;
    ByteWriter& operator=(const ByteWriter&) = delete;

    std::vector<M_BYTE>& bytes() { return *out_; }
    const std::vector<M_BYTE>& bytes() const { return *out_; }
    size_t size() const { return out_->size(); }

    ByteWriter& u8(unsigned v) { return put(v, 1); }
    ByteWriter& u16le(unsigned v) { return put(v, 2); }
    ByteWriter& u32le(std::uint32_t v) { return put(v, 4); }
    ByteWriter& u16be(unsigned v) { return putBE(v, 2); }
    ByteWriter& u32be(std::uint32_t v) { return putBE(v, 4); }

    ByteWriter& raw(const void* data, size_t n) {
        const auto* p = static_cast<const M_BYTE*>(data);
        out_->insert(out_->end(), p, p + n);
        return *this;
    }
    ByteWriter& raw(std::string_view text) { return raw(text.data(), text.size()); }
    ByteWriter& zeros(size_t n) {
        out_->insert(out_->end(), n, 0);
        return *this;
    }
    // Text in a fixed field: at most fieldSize bytes, NUL-padded.
    ByteWriter& fixedString(std::string_view text, size_t fieldSize) {
        size_t n = text.size() < fieldSize ? text.size() : fieldSize;
        raw(text.data(), n);
        return zeros(fieldSize - n);
    }
    // Overwrites a field already written (a length filled in afterwards).
    void patchU16be(size_t offset, unsigned v) {
        (*out_)[offset] = static_cast<M_BYTE>(v >> 8);
        (*out_)[offset + 1] = static_cast<M_BYTE>(v);
    }
    void patchU32be(size_t offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) (*out_)[offset + i] = static_cast<M_BYTE>(v >> (24 - 8 * i));
    }
    void patchU32le(size_t offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) (*out_)[offset + i] = static_cast<M_BYTE>(v >> (8 * i));
    }

private:
    ByteWriter& put(std::uint64_t v, size_t n) {
        for (size_t i = 0; i < n; ++i) out_->push_back(static_cast<M_BYTE>(v >> (8 * i)));
        return *this;
    }
    ByteWriter& putBE(std::uint64_t v, size_t n) {
        for (size_t i = n; i-- > 0;) out_->push_back(static_cast<M_BYTE>(v >> (8 * i)));
        return *this;
    }

    std::vector<M_BYTE> own_;
    std::vector<M_BYTE>* out_ = &own_;
};
