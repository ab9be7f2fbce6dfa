// Server messages for the player: entering the world, position, walking,
// following and groups, the death menu, status values, vital pairs and
// skills.
#include <cstdio>
#include <cstring>

#include "ErrorMessage.h"
#include "TWReport.h"
#include "config/Config.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/WorldHandlers.h"
#include "net/WorldMessageEvents.h"
#include "net/WorldMessageState.h"
#include "world/GumpHooks.h"
#include "world/MoveManager.h"
#include "world/Player.h"
#include "world/SpeakerRecord.h"
#include "world/ViewHooks.h"
#include "world/WeatherManager.h"

namespace {

// Takes an object out of its cell's draw list only when it is listed.
void TakeOutOfDrawList(CDrawItem* item) {
    if (item->inList) item->RemoveFromDrawList();
}

constexpr M_DWORD kUnknownAttribute = 0xFFFFFFFF;
// The player's strength, dexterity and intelligence as last reported.
M_DWORD g_attributes[3] = {kUnknownAttribute, kUnknownAttribute, kUnknownAttribute};

CMobile* AsMobile(CDynamicObj* object) {
    return object && object->IsMobile() ? static_cast<CMobile*>(object) : nullptr;
}

void Send(PDSTRUCT& packet) {
    if (g_pGameSocket) g_pGameSocket->Write(&packet);
}

// 0x1B: the login confirmation brings the player into the world.
void HandleLoginConfirm(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    r.skip(4);
    M_WORD body = r.u16be();
    short x = static_cast<short>(r.u16be());
    short y = static_cast<short>(r.u16be());
    short z = static_cast<short>(r.u16be());
    int direction = r.u8();
    int mapNumber = r.u8();
    r.skip(4);
    MapArea area;
    area.x = r.u16be();
    area.y = r.u16be();
    area.width = r.u16be();
    area.height = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CPlayer* player = pPlayerObject;
    if (!player) return PacketManager::DropPacket(packet, "there is no player object");

    char title[128];
    snprintf(title, sizeof title, "%s (%s)", net::App().GetCurrentCharacterName(),
             net::App().GetCurrentShardName());
    net::App().SetWindowTitle(title);

    worldmsg::mapArea = area;
    if (serial != worldmsg::lastPlayerSerial) worldmsg::lastPlayerSerial = serial;
    // The serial may still name an object of the last world; the index
    // keeps one object per serial.
    if (CDynamicObj* stale = CObjectManager::FindObject(serial); stale && stale != player)
        stale->Release();
    player->SetSerial(serial);
    for (M_DWORD& attribute : g_attributes) attribute = kUnknownAttribute;
    player->objectType = static_cast<M_WORD>(body & 0x3FFF);
    net::App().ResetWorldState();
    player->direction = static_cast<M_BYTE>(direction);
    player->drawZ = z;
    if (!player->inVoid) player->ToVoid();
    player->ToWorld(Coords(x, y, z));
    world::Map().SetCenter(x, y, z, mapNumber);

    net::Gumps().CloseLoginGumps();
    net::Gumps().AddSystemMessage(0, 3, "Welcome to Tarrowmere!");
    net::App().ClearBackBuffer();
    net::App().SetInWorld();
    world::Draw().UpdateRoofCut();

    static PDSTRUCT out;
    if (ShowTips) {
        PacketManager::BuildTipRequest(&out, static_cast<M_WORD>(LastTip), 1);
        Send(out);
    }
    PacketManager::BuildStatusRequest(&out, 5, serial);
    Send(out);
    PacketManager::BuildClientVersion(&out, net::App().GetVersionText());
    Send(out);
}

// 0x76: a new map area, the centre kept.
void HandleMapArea(const PacketIn& packet) {
    ByteReader r = packet.fields();
    r.skip(6);
    int mapNumber = r.u8();
    MapArea area;
    area.x = r.u16be();
    area.y = r.u16be();
    area.width = r.u16be();
    area.height = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    worldmsg::mapArea = area;
    world::Map().SetCenter(-1, -1, -1, mapNumber);
    net::App().SetInWorld();
}

// 0x20: the server puts the player where it says.
void HandlePlayerUpdate(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    M_WORD body = r.u16be();
    r.skip(1);
    M_WORD hue = r.u16be();
    int flags = r.u8();
    short x = static_cast<short>(r.u16be());
    short y = static_cast<short>(r.u16be());
    int mapNumber = r.u16be();
    int direction = r.u8();
    short z = r.i8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CPlayer* player = pPlayerObject;
    if (!player || player->GetSerial() != serial) {
        ErrorMessage("Z change received for non-player object", "Error", FALSE);
        return;
    }
    if (CObj* worn = player->equippedItem[29]; worn && worn->IsContainer()) {
        CContainerObj* container = static_cast<CContainerObj*>(worn);
        if (container->containerGump) {
            world::Gumps().CloseContainerGump(container->containerGump);
            container->containerGump = nullptr;
        }
    }
    MoveManager::resyncSent = FALSE;
    world::Map().SetCenter(x, y, z, mapNumber);
    player->objectType = static_cast<M_WORD>(body & 0x3FFF);
    player->direction = static_cast<M_BYTE>(direction);
    if (player->inVoid) {
        player->ToWorld(Coords(x, y, z));
        player->CalcDrawZ();
    } else {
        TakeOutOfDrawList(player);
        player->locX = x;
        player->locY = y;
        player->z = z;
        player->CalcDrawZ();
        player->AddToDrawList();
    }
    player->hue = NormalizeHue(hue);
    const M_BYTE old = player->statusFlags;
    player->statusFlags = static_cast<M_BYTE>(flags);
    MoveManager::SetPlayerPosition(-1, -1, -1, -1);
    WeatherManager::Stop();
    if (old != player->statusFlags) net::Dialogs().RefreshStatusGumps(player);
    MoveManager::resync = FALSE;
}

// 0x21: a walk request refused; the player stands where the server says.
void HandleMoveReject(const PacketIn& packet) {
    ByteReader r = packet.fields();
    int sequence = r.u8();
    int x = r.u16be();
    int y = r.u16be();
    int direction = r.u8();
    int z = r.i8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    MoveManager::SetPlayerPosition(sequence, x, y, z);
    if (pPlayerObject) pPlayerObject->direction = static_cast<M_BYTE>(direction);
}

// 0x22: a walk request acknowledged.
void HandleMoveAck(const PacketIn& packet) {
    ByteReader r = packet.fields();
    int sequence = r.u8();
    int state = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (pPlayerObject) pPlayerObject->SetStateValue(state);
    MoveManager::HandleMoveAck(sequence);
}

// 0x38: the server asks the player to walk to a place.
void HandlePathfind(const PacketIn& packet) {
    ByteReader r = packet.fields();
    int x = r.u16be();
    int y = r.u16be();
    int z = static_cast<short>(r.u16be());
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    MoveManager::PathfindTo(x, y, z);
}

void SetSpeaker(const char* name) {
    snprintf(g_speakerName, sizeof g_speakerName, "%s", name);
}

void Overhead(CDynamicObj* object, const char* text) {
    if (object) object->AddOverheadText(text, 0, 3, nullptr, 0);
}

// 0x15: following starts or stops.
void HandleFollow(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD first = r.u32be();
    M_DWORD second = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (first == 0 || second == 0) {
        SetSpeaker("YOU");
        Overhead(pPlayerObject, "No longer following.");
        MoveManager::following = FALSE;
    }
    if (CDynamicObj* followed = CObjectManager::FindObject(second)) {
        SetSpeaker("???");
        Overhead(followed, "Now following.");
        MoveManager::following = TRUE;
    }
}

// 0x39: group changes.
void HandleGroup(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD first = r.u32be();
    M_DWORD second = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    if (first == 0 && second == 0)
        Overhead(pPlayerObject, "Illegal group.");
    else if (first == 0 && second == 1)
        Overhead(pPlayerObject, "Removed from group.");
    else if (pPlayerObject && first == pPlayerObject->GetSerial())
        Overhead(CObjectManager::FindObject(second), "Now grouped.");
}

// 0x2C: the death menu.
void HandleDeathMenu(const PacketIn& packet) {
    ByteReader r = packet.fields();
    int action = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    net::Gumps().CloseFlaggedGumps();
    if (action == 1) return net::Gumps().CloseDeathMenuGumps(FALSE);
    net::Gumps().CloseDeathMenuGumps(TRUE);
    if (pPlayerObject) pPlayerObject->dead = TRUE;
    for (CObj* o = CObjectManager::worldList; o; o = o->worldNext) o->DeleteTextGumps();
    if (pPlayerObject && pPlayerObject->GetWarMode()) net::App().SetWarMode(0);
}

void ReportAttribute(const char* format, M_DWORD old, int now) {
    if (old == kUnknownAttribute || old == static_cast<M_DWORD>(now)) return;
    char text[128];
    snprintf(text, sizeof text, format, now - static_cast<int>(old), now);
    net::Gumps().AddSystemMessage(368, 3, text);
}

// 0x11: a mobile's status.
void HandleMobileStatus(const PacketIn& packet) {
    ByteReader r = packet.fields();
    StatusRecord record;
    M_DWORD serial = r.u32be();
    r.fixedString(record.name, sizeof record.name, 30);
    record.vital1Current = r.u16be();
    record.vital1Maximum = r.u16be();
    const BOOL renameAllowed = r.u8() != 0;
    const BOOL extended = r.u8() != 0;
    if (extended) {
        record.extended = r.u8();
        record.strength = r.u16be();
        record.dexterity = r.u16be();
        record.intelligence = r.u16be();
        record.vital3Current = r.u16be();
        record.vital3Maximum = r.u16be();
        record.vital2Current = r.u16be();
        record.vital2Maximum = r.u16be();
        record.gold = r.u32be();
        record.value62 = r.u16be();
        record.value64 = r.u16be();
    }
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    worldmsg::status = record;
    const bool isPlayer = pPlayerObject && pPlayerObject->GetSerial() == serial;
    if (isPlayer && extended && StatReport) {
        ReportAttribute("Your strength has changed by %d.  It is now %d.", g_attributes[0],
                        record.strength);
        ReportAttribute("Your dexterity has changed by %d.  It is now %d.", g_attributes[1],
                        record.dexterity);
        ReportAttribute("Your intelligence has changed by %d.  It is now %d.", g_attributes[2],
                        record.intelligence);
        g_attributes[0] = record.strength;
        g_attributes[1] = record.dexterity;
        g_attributes[2] = record.intelligence;
    }
    net::Dialogs().ShowStatus(serial, worldmsg::status, renameAllowed);
    if (isPlayer) net::Dialogs().SetShopGold(static_cast<M_WORD>(record.gold & 0xFFFF));
}

// The vital pairs of 0x2D and 0xA1-0xA3: mask bit i for pair i.
void ApplyVitals(const PacketIn& packet, M_DWORD serial, int mask, const M_WORD current[3],
                 const M_WORD maximum[3]) {
    CMobile* mobile = AsMobile(CObjectManager::FindObject(serial));
    if (!mobile) return;
    (void)packet;
    if (mobile == pPlayerObject) {
        for (int i = 0; i < 3; ++i)
            if (mask & (1 << i)) {
                pPlayerObject->vitalCurrent[i] = current[i];
                pPlayerObject->vitalMaximum[i] = maximum[i];
            }
    }
    if (mask & 1) net::Dialogs().UpdateTargetGumps(serial, current[0], maximum[0]);
    net::Dialogs().UpdateStatusVitals(mobile, mask, current, maximum);
}

// 0x2D: the three vital pairs.
void HandleVitals(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    M_WORD current[3], maximum[3];
    for (int i = 0; i < 3; ++i) {
        maximum[i] = r.u16be();
        current[i] = r.u16be();
    }
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    ApplyVitals(packet, serial, 7, current, maximum);
}

// 0xA1, 0xA2, 0xA3: one vital pair each.
void HandleOneVital(const PacketIn& packet) {
    ByteReader r = packet.fields();
    M_DWORD serial = r.u32be();
    M_WORD current[3] = {}, maximum[3] = {};
    const int pair = packet.id() - 0xA1;
    maximum[pair] = r.u16be();
    current[pair] = r.u16be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    ApplyVitals(packet, serial, 1 << pair, current, maximum);
}

// 0x3A: skill values and names.
void HandleSkills(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int command = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    SkillTables& skills = worldmsg::skills;
    switch (command) {
        case 255: {
            int index = r.u16be();
            int value = r.u16be();
            if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
            if (index >= SKILL_COUNT)
                return PacketManager::DropPacket(packet, "skill out of range");
            net::Dialogs().ShowSkillChange(index, value);
            skills.values[index] = static_cast<M_WORD>(value);
            net::Dialogs().RedrawSkillGump();
            return;
        }
        case 0:
        case 1: {
            // The list ends at skill number 0, after 50 entries or at the end
            // of the message; a number outside 1..50 is skipped.
            struct Entry {
                int skill;
                M_WORD value;
            } entries[SKILL_COUNT];
            int count = 0;
            while (count < SKILL_COUNT && r.remaining() > 0) {
                int skill = r.u16be();
                if (skill == 0) break;
                M_WORD value = r.u16be();
                if (!r.ok()) return PacketManager::DropPacket(packet, "skill entry cut short");
                if (skill > SKILL_COUNT) {
                    TWReport::warning("PacketManager: skill %d is not a skill; ignored.\n", skill);
                    continue;
                }
                entries[count++] = {skill, value};
            }
            if (command == 0) {
                memset(skills.values, 0, sizeof skills.values);
                memset(skills.lockStates, 0, sizeof skills.lockStates);
                memset(skills.baseValues, 0, sizeof skills.baseValues);
                for (int i = 0; i < count; ++i)
                    skills.values[entries[i].skill - 1] = entries[i].value;
            } else {
                skills.listCount = count;
                for (int i = 0; i < count; ++i) {
                    skills.listSkills[i] = static_cast<M_WORD>(entries[i].skill);
                    skills.listValues[i] = entries[i].value;
                }
            }
            net::Dialogs().SkillListArrived(command);
            return;
        }
        case 254: {
            int count = r.u16be();
            if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
            if (count > SKILL_NAME_SLOTS) {
                TWReport::warning("PacketManager: %d skill names; the table holds %d.\n", count,
                                  SKILL_NAME_SLOTS);
                count = SKILL_NAME_SLOTS;
            }
            SkillTables fresh = skills;
            for (int i = 0; i < count; ++i) {
                M_BYTE flag = r.u8();
                size_t length = r.u8();
                const M_BYTE* name = r.view(length);
                if (!r.ok()) return PacketManager::DropPacket(packet, "skill name cut short");
                size_t n = 0;
                while (n < length && n + 1 < SKILL_NAME_LENGTH && name[n]) ++n;
                fresh.nameFlags[i] = flag;
                memcpy(fresh.names[i], name, n);
                fresh.names[i][n] = '\0';
            }
            fresh.nameCount = count;
            skills = fresh;
            return;
        }
        default:
            return PacketManager::DropPacket(packet, "unknown skill command");
    }
}

}  // namespace

void RegisterPlayerHandlers() {
    PacketManager::SetHandler(0x1B, HandleLoginConfirm);
    PacketManager::SetHandler(0x76, HandleMapArea);
    PacketManager::SetHandler(0x20, HandlePlayerUpdate);
    PacketManager::SetHandler(0x21, HandleMoveReject);
    PacketManager::SetHandler(0x22, HandleMoveAck);
    PacketManager::SetHandler(0x38, HandlePathfind);
    PacketManager::SetHandler(0x15, HandleFollow);
    PacketManager::SetHandler(0x39, HandleGroup);
    PacketManager::SetHandler(0x2C, HandleDeathMenu);
    PacketManager::SetHandler(0x11, HandleMobileStatus);
    PacketManager::SetHandler(0x2D, HandleVitals);
    PacketManager::SetHandler(0xA1, HandleOneVital);
    PacketManager::SetHandler(0xA2, HandleOneVital);
    PacketManager::SetHandler(0xA3, HandleOneVital);
    PacketManager::SetHandler(0x3A, HandleSkills);
}

void ResetPlayerAttributes() {
    for (M_DWORD& attribute : g_attributes) attribute = kUnknownAttribute;
}
