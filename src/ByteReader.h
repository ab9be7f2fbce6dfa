// ByteReader: the one bounded reader of untrusted bytes (data files, network
// messages, configuration images).  It knows where the data ends, reads
// little- and big-endian fields explicitly, and on any read past the end
// records a sticky failure and yields zeros instead of reading outside.
//
//   ByteReader r(data, size);
//   M_WORD count = r.u16le();
//   if (!r.has(count * 12u)) ...refuse...
//   if (!r.ok()) ...the record was short...
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "TWTypes.h"

class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const void* data, size_t size)
        : data_(static_cast<const M_BYTE*>(data)), size_(data ? size : 0) {}

    size_t size() const { return size_; }
    size_t offset() const { return pos_; }
    size_t remaining() const { return size_ - pos_; }
    bool has(size_t n) const { return n <= remaining(); }
    bool ok() const { return !failed_; }
    bool atEnd() const { return pos_ >= size_; }
    const M_BYTE* data() const { return data_; }
    const M_BYTE* here() const { return data_ + pos_; }

    // Marks the reader failed, as a short read would.
    void fail() { failed_ = true; }

    M_BYTE u8() { return take<M_BYTE, std::endian::native>(); }
    M_WORD u16le() { return take<M_WORD, std::endian::little>(); }
    M_DWORD u32le() { return take<M_DWORD, std::endian::little>(); }
    M_WORD u16be() { return take<M_WORD, std::endian::big>(); }
    M_DWORD u32be() { return take<M_DWORD, std::endian::big>(); }
    std::int8_t i8() { return static_cast<std::int8_t>(u8()); }
    std::int16_t i16le() { return static_cast<std::int16_t>(u16le()); }
    std::int32_t i32le() { return static_cast<std::int32_t>(u32le()); }
    std::int16_t i16be() { return static_cast<std::int16_t>(u16be()); }
    std::int32_t i32be() { return static_cast<std::int32_t>(u32be()); }

    // Copies n bytes; on a short read copies nothing, zero-fills and fails.
    bool bytes(void* out, size_t n) {
        if (!need(n)) {
            if (n) memset(out, 0, n);
            return false;
        }
        if (n) memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }

    // Copies n little-endian 16-bit values (a run of pixels, say) into out in
    // host order: a single memcpy on a little-endian host.  On a short read
    // copies nothing, zero-fills out and fails.
    bool u16leArray(M_WORD* out, size_t n) {
        const size_t byteCount = n * sizeof(M_WORD);
        if (n > SIZE_MAX / sizeof(M_WORD) || !need(byteCount)) {
            failed_ = true;
            if (n && n <= SIZE_MAX / sizeof(M_WORD)) memset(out, 0, byteCount);
            return false;
        }
        if constexpr (std::endian::native == std::endian::little) {
            if (n) memcpy(out, data_ + pos_, byteCount);
        } else {
            for (size_t i = 0; i < n; ++i)
                out[i] = static_cast<M_WORD>(data_[pos_ + 2 * i] | data_[pos_ + 2 * i + 1] << 8);
        }
        pos_ += byteCount;
        return true;
    }

    // A pointer to the next n bytes (advancing), or null and failed.
    const M_BYTE* view(size_t n) {
        if (!need(n)) return nullptr;
        const M_BYTE* p = data_ + pos_;
        pos_ += n;
        return p;
    }

    bool skip(size_t n) {
        if (!need(n)) return false;
        pos_ += n;
        return true;
    }

    bool seek(size_t offset) {
        if (offset > size_) {
            failed_ = true;
            pos_ = size_;
            return false;
        }
        pos_ = offset;
        return true;
    }

    // A reader over the next n bytes; this one advances past them.
    ByteReader sub(size_t n) {
        const M_BYTE* p = view(n);
        return p ? ByteReader(p, n) : ByteReader();
    }

    // A fixed field of fieldSize bytes holding NUL-padded text: copies at most
    // outSize - 1 characters, always terminates, and consumes the field.
    bool fixedString(char* out, size_t outSize, size_t fieldSize) {
        const M_BYTE* p = view(fieldSize);
        if (outSize == 0) return p != nullptr;
        size_t n = 0;
        if (p)
            while (n < fieldSize && n + 1 < outSize && p[n]) ++n;
        if (n) memcpy(out, p, n);
        out[n] = 0;
        return p != nullptr;
    }

    // NUL-terminated text bounded by the data: copies at most outSize - 1
    // characters and consumes through the terminator (or to the end, failing).
    bool cString(char* out, size_t outSize) {
        size_t n = 0;
        while (pos_ < size_ && data_[pos_]) {
            if (n + 1 < outSize) out[n++] = static_cast<char>(data_[pos_]);
            ++pos_;
        }
        if (outSize) out[n] = 0;
        if (pos_ >= size_) {
            failed_ = true;
            return false;
        }
        ++pos_;
        return true;
    }

private:
    bool need(size_t n) {
        if (__builtin_expect(failed_ || n > remaining(), 0)) {
            failed_ = true;
            return false;
        }
        // Only a reader over some data has bytes to give; telling the
        // compiler so spares hot loops a null test of every view.
        if (n > 0 && !data_) __builtin_unreachable();
        return true;
    }
    // A field of unsigned type T stored in byte order Order: one load (the
    // bytes may lie at any address), swapped when the host's order differs.
    template <class T, std::endian Order>
    T take() {
        if (!need(sizeof(T))) return 0;
        T v;
        memcpy(&v, data_ + pos_, sizeof v);
        pos_ += sizeof v;
        if constexpr (sizeof(T) > 1 && Order != std::endian::native) v = swap(v);
        return v;
    }
    static M_WORD swap(M_WORD v) { return __builtin_bswap16(v); }
    static M_DWORD swap(M_DWORD v) { return __builtin_bswap32(v); }

    const M_BYTE* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    bool failed_ = false;
};
