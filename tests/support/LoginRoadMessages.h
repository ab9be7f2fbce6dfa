// The login road as the front-end tests script it: two shards on this host,
// Amberfell and Brightwater, and the characters Rowan and Sable.
#pragma once

#include "support/ScriptedServer.h"
#include "support/ServerMessage.h"

namespace tw::test {

// 0xA8 with the next login key.
inline Bytes TwoShardList(M_BYTE nextKey) {
    Msg m(0xA8);
    m.u8(nextKey).u16(2);
    m.u16(1).text("Amberfell", 32).u8(0).u8(0).u32(ScriptedServer::address());
    m.u16(2).text("Brightwater", 32).u8(0).u8(0).u32(ScriptedServer::address());
    return m;
}

// Rowan and Sable in slots 0 and 1 (or only Rowan), as 0xA9 (with no
// cities) or as the updated list 0x86.
inline Bytes RowanAndSable(M_BYTE id, bool withSable) {
    Msg m(id);
    m.u8(withSable ? 2 : 1).text("Rowan", 30).text("", 30);
    m.text(withSable ? "Sable" : "", 30).text("", 30);
    for (int k = 2; k < 5; ++k) m.text("", 60);
    if (id == 0xA9) m.u8(0);
    return m;
}

}  // namespace tw::test
