// A server message written the way a test reads it: the id, for a
// variable-length id the length filled in at the end, then the fields
// big-endian, e.g. Msg(0x1D).u32(serial).
#pragma once

#include <string>
#include <vector>

#include "ByteWriter.h"
#include "net/PacketTable.h"

namespace tw::test {

class Msg {
public:
    explicit Msg(M_BYTE id) : id_(id), w_(bytes_) {
        w_.u8(id);
        if (IsVariablePacket(id)) w_.u16be(0);
    }
    Msg& u8(unsigned v) {
        w_.u8(v);
        return *this;
    }
    Msg& u16(unsigned v) {
        w_.u16be(v);
        return *this;
    }
    Msg& u32(M_DWORD v) {
        w_.u32be(v);
        return *this;
    }
    Msg& text(const std::string& t, size_t field) {
        w_.fixedString(t, field);
        return *this;
    }
    Msg& raw(const std::vector<M_BYTE>& b) {
        w_.raw(b.data(), b.size());
        return *this;
    }
    std::vector<M_BYTE> bytes() const {
        std::vector<M_BYTE> out = bytes_;
        if (IsVariablePacket(id_)) {
            out[1] = static_cast<M_BYTE>(out.size() >> 8);
            out[2] = static_cast<M_BYTE>(out.size());
        }
        return out;
    }
    operator std::vector<M_BYTE>() const { return bytes(); }

private:
    M_BYTE id_;
    std::vector<M_BYTE> bytes_;
    ByteWriter w_;
};

// The login confirmation 0x1B: the player's serial, body, place and
// direction, and the map's size (6144 by 4096).
inline std::vector<M_BYTE> LoginConfirm(M_DWORD serial, M_WORD body, M_WORD x, M_WORD y,
                                        M_WORD z, M_BYTE direction) {
    return Msg(0x1B)
        .u32(serial)
        .u32(0)
        .u16(body)
        .u16(x)
        .u16(y)
        .u16(z)
        .u8(direction)
        .u8(0)
        .u32(0)
        .u16(0)
        .u16(0)
        .u16(6144)
        .u16(4096)
        .u16(0)
        .u16(0)
        .u16(0);
}

}  // namespace tw::test
