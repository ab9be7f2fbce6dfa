// A mobile's action animation (0x6E).
#include "net/PacketManager.h"
#include "net/WorldHandlers.h"
#include "world/GumpHooks.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace {

// 0x6E: 1 u32 mobile, 5 u16 action, 7 u16 frame count, 9 u16 repeat count,
// 11 u8 backward, 12 u8 back and forth, 13 u8 delay.
void HandleAnimation(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    const int action = r.u16be();
    const int frames = r.u16be();
    const int repeat = r.u16be();
    const int backward = r.u8();
    const int backAndForth = r.u8();
    const int delay = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CDynamicObj* object = CObjectManager::FindObject(serial);
    if (!object || !object->IsMobile()) return;
    auto* mobile = static_cast<CMobile*>(object);
    // Each field goes to the setting of its name.  A recorded animation
    // plays forward only once its sequence plays.
    const bool recorded = world::Gumps().IsRecordingSequence() != FALSE;
    mobile->SetAnimation(action, frames, repeat, 1, backward, delay);
    if (!recorded) mobile->animRepeatFlag = backAndForth ? 1 : 0;
}

}  // namespace

void RegisterAnimationHandler() {
    PacketManager::SetHandler(0x6E, HandleAnimation);
}
