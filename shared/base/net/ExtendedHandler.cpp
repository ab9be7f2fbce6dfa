// Server message 0xBF: small commands chosen by a sub-command word.
//
//   offset 3  u16  sub-command
//   offset 5       its fields:
//     1  ten u32 walk keys, for slots 0..9
//     2  one u32 walk key, into the first free slot
//     3  help mail: address, name and subject of 32 bytes, body of 128
//        bytes, 8-bit text NUL-terminated within each field
//
// Each sub-command checks that its fields arrived before reading them.
#include "TWReport.h"
#include "net/PacketManager.h"
#include "net/WorldHandlers.h"
#include "strings/UnicodeString.h"
#include "world/Player.h"

namespace {

constexpr size_t kAddressField = 32;
constexpr size_t kBodyField = 128;

// One 8-bit field widened to 16-bit characters; the text ends at its NUL or
// at the end of the field.
template <size_t N>
bool ReadWideField(ByteReader& r, M_WORD (&out)[N + 1]) {
    char text[N + 1];
    if (!r.fixedString(text, sizeof text, N)) return false;
    UnicodeStrcpyFromAscii(out, text);
    return true;
}

void HandleExtended(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int subcommand = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    switch (subcommand) {
        case 1: {
            if (!r.has(4 * CPlayer::WALK_KEYS))
                return PacketManager::DropPacket(packet, "walk keys cut short");
            for (int slot = 0; slot < CPlayer::WALK_KEYS; ++slot) {
                M_DWORD key = r.u32be();
                if (pPlayerObject) pPlayerObject->SetWalkKey(key, slot);
            }
            return;
        }
        case 2: {
            M_DWORD key = r.u32be();
            if (!r.ok()) return PacketManager::DropPacket(packet, "walk key cut short");
            if (pPlayerObject) pPlayerObject->AddWalkKey(key);
            return;
        }
        case 3: {
            static M_WORD address[kAddressField + 1], name[kAddressField + 1],
                subject[kAddressField + 1], body[kBodyField + 1], title[16];
            if (!ReadWideField<kAddressField>(r, address) ||
                !ReadWideField<kAddressField>(r, name) ||
                !ReadWideField<kAddressField>(r, subject) || !ReadWideField<kBodyField>(r, body))
                return PacketManager::DropPacket(packet, "help mail cut short");
            UnicodeStrcpyFromAscii(title, "Help Email");
            PacketManager::BuildHelpMail(0, address, name, 0, 0, subject, 0, body, title, address);
            return;
        }
        default:
            TWReport::notice("PacketManager: extended command %d ignored.\n", subcommand);
            return;
    }
}

}  // namespace

void RegisterExtendedHandler() {
    PacketManager::SetHandler(0xBF, HandleExtended);
}
