// Graphic effects (0x70), sounds (0x54), an object's light (0x4E), the game
// clock (0x5B), weather (0x65) and effect sequences (0x7B).  None changes the
// world's objects; each hands its fields on to the module that shows them.
#include "SoundManager.h"
#include "net/EffectMessages.h"
#include "net/PacketManager.h"
#include "net/WorldHandlers.h"
#include "net/WorldMessageEvents.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/WeatherManager.h"

namespace {

// Sound ids from here on name no sound.
constexpr int kFirstUnknownSound = 655;

// The object only when it exists and is a mobile.
CObj* FindMobile(M_DWORD serial) {
    CDynamicObj* object = CObjectManager::FindObject(serial);
    return object && object->IsMobile() ? object : nullptr;
}

Coords ReadPosition(ByteReader& r) {
    const short x = static_cast<short>(r.u16be()), y = static_cast<short>(r.u16be());
    return Coords(x, y, static_cast<signed char>(r.u8()));
}

// 0x70: 1 type, 2 u32 source, 6 u32 target, 10 u16 art, 12 source x, y,
// i8 z, 17 target x, y, i8 z, 22 p1..p6.
void HandleGraphicEffect(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int type = r.u8();
    const M_DWORD source = r.u32be(), target = r.u32be();
    const int art = r.u16be();
    const Coords from = ReadPosition(r), to = ReadPosition(r);
    M_BYTE p[6];
    for (M_BYTE& b : p) b = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    net::Effects().CreateEffect(type, FindMobile(source), FindMobile(target), art, from, to, p);
}

// 0x54: 1 mode (0 ambient), 2 u16 sound, 4 u16 unused, 6 u16 x, y, z.
void HandleSound(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int mode = r.u8();
    const int sound = r.u16be();
    r.u16be();
    const int x = r.u16be(), y = r.u16be(), z = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (mode == 0) {
        SoundManager::SetAmbient(sound);
        return;
    }
    if (sound >= kFirstUnknownSound) return;
    if (net::Effects().RecordSound(sound, x, y, z)) return;
    SoundManager::PlayPositional(sound, x, y, z, 1.0f);
}

// 0x4E: 1 u32 serial, 5 i8 level.
void HandleObjectLight(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    const int level = static_cast<signed char>(r.u8());
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (CDynamicObj* object = CObjectManager::FindObject(serial))
        CObjectManager::SetPlayerLight(object, level);
}

// 0x5B: 1 hour, 2 minute, 3 step.
void HandleGameClock(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int hour = r.u8(), minute = r.u8(), step = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    net::App().SetGameClock(hour, minute, step);
}

// 0x65: 1 type, 2 count, 3 i8 temperature.
void HandleWeather(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int type = r.u8(), count = r.u8();
    const int temperature = static_cast<signed char>(r.u8());
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    WeatherManager::SetWeather(type, count, temperature);
}

// 0x7B: 1 value (0 begins a sequence, else ends and plays it).
void HandleSequence(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int value = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    net::Effects().SequenceMessage(value);
}

}  // namespace

void RegisterEffectHandlers() {
    PacketManager::SetHandler(0x70, HandleGraphicEffect);
    PacketManager::SetHandler(0x54, HandleSound);
    PacketManager::SetHandler(0x4E, HandleObjectLight);
    PacketManager::SetHandler(0x5B, HandleGameClock);
    PacketManager::SetHandler(0x65, HandleWeather);
    PacketManager::SetHandler(0x7B, HandleSequence);
}
