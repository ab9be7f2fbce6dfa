// Packets in memory.
//
// `PDSTRUCT` is a packet being built: byte 0 the message id, then for a
// variable-length id a u16 length (written big-endian by
// `CClientSock::Write`), then the fields.  Its running length is kept in the
// record itself, never in a program-wide position, so two packets may be
// built at once.  Every write is bounded by the buffer; a packet that does not
// fit is marked overflowed and is refused when written.
//
// `PacketIn` is a received, framed message: a pointer and a length that the
// framing has checked against the table.  Handlers read its fields through a
// bounded `ByteReader`, so a short message reads as failed, never past its end.
//
//   offset 0       u8   message id
//   offset 1       u16  variable ids only: total length, big-endian
//   offset 3 or 1  ...  the fields, numbers big-endian
#pragma once

#include <cstddef>

#include "ByteReader.h"
#include "TWTypes.h"
#include "net/PacketTable.h"

struct PDSTRUCT {
    // The largest length a u16 length field can carry.
    static constexpr size_t kCapacity = 0xFFFF;

    PDSTRUCT() {}  // the bytes are written by BeginPacket and the writers

    M_BYTE id() const { return data[0]; }
    size_t size() const { return length; }
    bool ok() const { return valid && !overflow; }

    M_BYTE data[kCapacity];
    size_t length = 0;      // running length: bytes written so far
    bool valid = false;     // begun with an id that has a table row
    bool overflow = false;  // a write did not fit
};

class PacketIn {
public:
    PacketIn(const M_BYTE* data, size_t size) : data_(data), size_(size) {}

    M_BYTE id() const { return size_ ? data_[0] : 0; }
    const M_BYTE* data() const { return data_; }
    size_t size() const { return size_; }
    size_t headerSize() const { return IsKnownPacket(id()) ? PacketHeaderSize(id()) : 1; }
    // A reader over the fields, after the 1- or 3-byte header.
    ByteReader fields() const {
        size_t h = headerSize();
        return h <= size_ ? ByteReader(data_ + h, size_ - h) : ByteReader();
    }

private:
    const M_BYTE* data_;
    size_t size_;
};
