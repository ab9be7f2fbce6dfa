// The fixture of the world-message tests: the world-model fixture with the
// placing tests' tiles, every world handler installed in the packet table,
// a recording double of the services above the world, and a short way to
// write a message.
#pragma once

#include <string>
#include <vector>

#include "config/Config.h"
#include "net/PacketManager.h"
#include "net/WorldMessageState.h"
#include "shared/base/world/WorldTestSupport.h"
#include "support/ServerMessage.h"
#include "support/doubles/RecordingConnection.h"
#include "support/doubles/RecordingWorldMessages.h"
#include "world/Player.h"

namespace tw::test {

constexpr int kBag = 3701;    // a container tile
constexpr int kMap = 5355;    // an item-object tile
constexpr int kShirt = 5399;  // a plain item
constexpr int kHuman = 400;   // a body
constexpr M_DWORD kPlayerSerial = 1;

inline void Dispatch(const std::vector<M_BYTE>& message) {
    PacketManager::Dispatch(PacketIn(message.data(), message.size()));
}

// A container record of 0x25 and 0x3C (without the id).
inline Msg& ContainerRecord(Msg& m, M_DWORD serial, int graphic, int amount, int x, int y,
                            M_DWORD container, int hue = 0) {
    return m.u32(serial).u16(graphic).u8(0).u16(amount).u16(x).u16(y).u32(container).u16(hue);
}

class WorldMessageTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        // The configuration keys the handlers read start at their defaults.
        ResetConfigForTests();
        tiles.items[kBag].flags = TILE_CONTAINER;
        tiles.items[kMap].flags = TILE_ITEM_OBJ;
        StartWorld();
        worldmsg::reset();
        InstallWorldHandlers();
    }

    CDynamicObj* Find(M_DWORD serial) { return CObjectManager::FindObject(serial); }
    CMobile* FindMobile(M_DWORD serial) {
        CDynamicObj* o = Find(serial);
        return o && o->IsMobile() ? static_cast<CMobile*>(o) : nullptr;
    }
    int DropsLogged() const {
        const std::string log = ReportLog();
        int n = 0;
        for (size_t at = log.find("dropped:"); at != std::string::npos;
             at = log.find("dropped:", at + 1))
            ++n;
        return n;
    }

    tw::doubles::RecordingWorldMessages upper;
    // The application and windows the message service asks (help mail).
    tw::doubles::RecordingConnection connectionUpper;
};

}  // namespace tw::test
