// Shared by the fuzz targets that feed server messages through the packet
// table: one message read from the targets' byte stream.
#pragma once

#include <cstddef>
#include <vector>

#include "fuzz/WorldFuzz.h"
#include "net/PacketManager.h"

namespace tw::fuzz {

// Reads one server message from the stream and dispatches it: an id chosen
// from ids, a body length (a word, modulo maxBody, cut to what is left) and
// that many body bytes; a variable-length id gets its length field.
// message is scratch space kept between calls.
template <size_t N>
void DispatchNextMessage(OpStream& ops, const M_BYTE (&ids)[N], size_t maxBody,
                         std::vector<M_BYTE>& message) {
    const M_BYTE id = ids[ops.byte() % N];
    size_t length = ops.word() % maxBody;
    if (length > ops.left()) length = ops.left();
    message.assign(1, id);
    if (IsVariablePacket(id)) {
        const size_t total = length + 3;
        message.push_back(static_cast<M_BYTE>(total >> 8));
        message.push_back(static_cast<M_BYTE>(total));
    }
    message.insert(message.end(), ops.rest(), ops.rest() + length);
    ops.skip(length);
    PacketManager::Dispatch(PacketIn(message.data(), message.size()));
}

}  // namespace tw::fuzz
