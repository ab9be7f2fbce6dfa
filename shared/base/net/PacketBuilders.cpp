// One builder per client message; layouts in field order, numbers big-endian.
#include <cstring>

#include "net/PacketManager.h"

namespace {

constexpr M_DWORD kLoginMarker = 0xEDEDEDED;
constexpr size_t kNameField = 30;
constexpr size_t kTitleField = 60;
constexpr size_t kBookLineSlot = 80;
// A u8 length field counts the text and its NUL.
constexpr size_t kMaxU8Length = 254;

using PM = PacketManager;

// Text whose length (NUL included) goes out in a u8 just before it.
void writeU8LengthText(PDSTRUCT* p, const char* text) {
    size_t n = text ? strnlen(text, kMaxU8Length - 1) : 0;
    PM::WriteU8(p, n + 1);
    PM::WriteBytes(p, text, n);
    PM::WriteU8(p, 0);
}

}  // namespace

void PacketManager::BuildCreateChar(PDSTRUCT* p, const PDSTRUCT_CREATE_CHAR& c,
                                    M_DWORD localAddress) {
    BeginPacket(p, 0x00);
    WriteU32(p, kLoginMarker);
    WriteU16(p, 0xFFFF);
    WriteU16(p, 0xFFFF);
    WriteU8(p, 0);
    WriteFixedText(p, c.name, kNameField);
    WriteFixedText(p, c.password, kNameField);
    WriteU8(p, c.sex);
    for (M_BYTE stat : c.stats) WriteU8(p, stat);
    for (int i = 0; i < 3; ++i) {
        WriteU8(p, c.skills[i]);
        WriteU8(p, c.skillValues[i]);
    }
    WriteU16(p, c.colours[0]);
    WriteU16(p, c.hairStyle);
    WriteU16(p, c.colours[1]);
    WriteU16(p, c.sex == 1 ? 0 : c.facialHairStyle);
    WriteU16(p, c.colours[2]);
    WriteU8(p, c.shardIndex);
    WriteU8(p, c.startIndex);
    WriteU32(p, c.slot);
    WriteU32(p, localAddress);
    WriteU16(p, c.colours[4]);
    WriteU16(p, c.colours[3]);
}

void PacketManager::Build01(PDSTRUCT* p) {
    BeginPacket(p, 0x01);
    WriteU32(p, 0xFFFFFFFF);
}

void PacketManager::BuildMoveRequest(PDSTRUCT* p, M_BYTE direction, M_BYTE sequence,
                                     M_DWORD value) {
    BeginPacket(p, 0x02);
    WriteU8(p, direction);
    WriteU8(p, sequence);
    WriteU32(p, value);
}

void PacketManager::BuildTalk(PDSTRUCT* p, M_BYTE mode, M_WORD colour, M_WORD font,
                              const char* text, size_t length) {
    BeginPacket(p, 0x03);
    WriteU8(p, mode);
    WriteU16(p, colour);
    WriteU16(p, font);
    WriteText(p, text, length);
}

void PacketManager::BuildAttack(PDSTRUCT* p, M_DWORD serial) {
    BeginPacket(p, 0x05);
    WriteU32(p, serial);
}

void PacketManager::BuildUseObject(PDSTRUCT* p, M_DWORD serial) {
    BeginPacket(p, 0x06);
    WriteU32(p, serial);
}

void PacketManager::BuildPickup(PDSTRUCT* p, M_DWORD serial, M_WORD amount) {
    BeginPacket(p, 0x07);
    WriteU32(p, serial);
    WriteU16(p, amount);
}

void PacketManager::BuildDrop(PDSTRUCT* p, M_DWORD serial, M_WORD x, M_WORD y, M_BYTE z,
                              M_DWORD container) {
    BeginPacket(p, 0x08);
    WriteU32(p, serial);
    WriteU16(p, x);
    WriteU16(p, y);
    WriteU8(p, z);
    WriteU32(p, container);
}

void PacketManager::BuildLook(PDSTRUCT* p, M_DWORD serial) {
    BeginPacket(p, 0x09);
    WriteU32(p, serial);
}

void PacketManager::BuildTextCommand(PDSTRUCT* p, M_BYTE type, const char* text) {
    BeginPacket(p, 0x12);
    WriteU8(p, type);
    WriteText(p, text);
}

void PacketManager::BuildEquipRequest(PDSTRUCT* p, M_DWORD item, M_BYTE layer, M_DWORD mobile) {
    BeginPacket(p, 0x13);
    WriteU32(p, item);
    WriteU8(p, layer);
    WriteU32(p, mobile);
}

void PacketManager::BuildMoveAck(PDSTRUCT* p) {
    BeginPacket(p, 0x22);
    WriteU8(p, 0);
    WriteU8(p, 0);
}

void PacketManager::BuildDeathMenu(PDSTRUCT* p, M_BYTE choice) {
    BeginPacket(p, 0x2C);
    WriteU8(p, choice);
}

void PacketManager::BuildStatusRequest(PDSTRUCT* p, M_BYTE type, M_DWORD serial) {
    BeginPacket(p, 0x34);
    WriteU32(p, kLoginMarker);
    WriteU8(p, type);
    WriteU32(p, serial);
}

void PacketManager::BuildSkills(PDSTRUCT* p, M_WORD skill, M_BYTE state) {
    BeginPacket(p, 0x3A);
    WriteU16(p, skill);
    WriteU8(p, state);
}

void PacketManager::BuildBuyItems(PDSTRUCT* p, M_DWORD vendor, M_BYTE flag,
                                  const PacketBuyLine* lines, size_t count) {
    BeginPacket(p, 0x3B);
    WriteU32(p, vendor);
    WriteU8(p, flag);
    for (size_t i = 0; i < count; ++i) {
        WriteU8(p, lines[i].layer);
        WriteU32(p, lines[i].serial);
        WriteU16(p, lines[i].amount);
    }
}

void PacketManager::BuildMapPlot(PDSTRUCT* p, M_DWORD serial, M_BYTE action, M_BYTE pin, M_WORD x,
                                 M_WORD y) {
    BeginPacket(p, 0x56);
    WriteU32(p, serial);
    WriteU8(p, action);
    WriteU8(p, pin);
    WriteU16(p, x);
    WriteU16(p, y);
}

void PacketManager::BuildPlayChar(PDSTRUCT* p, const char* name, const char* password, M_DWORD slot,
                                  M_DWORD localAddress) {
    BeginPacket(p, 0x5D);
    WriteU32(p, kLoginMarker);
    WriteFixedText(p, name, kNameField);
    WriteFixedText(p, password, kNameField);
    WriteU32(p, slot);
    WriteU32(p, localAddress);
}

void PacketManager::BuildBookPages(PDSTRUCT* p, M_DWORD book, M_WORD page) {
    BeginPacket(p, 0x66);
    WriteU32(p, book);
    WriteU16(p, 1);
    WriteU16(p, page);
    WriteU16(p, 0xFFFF);
}

void PacketManager::BuildBookPageText(PDSTRUCT* p, M_DWORD book, M_WORD page,
                                      const char (*lines)[80], size_t lineCount) {
    BeginPacket(p, 0x66);
    WriteU32(p, book);
    WriteU16(p, 1);
    WriteU16(p, page);
    if (lineCount > 0xFFFF) lineCount = 0xFFFF;
    WriteU16(p, lineCount);
    for (size_t i = 0; i < lineCount; ++i) WriteText(p, lines[i], kBookLineSlot);
}

void PacketManager::Build69(PDSTRUCT* p, M_BYTE mode, const char (*names)[30],
                            const M_DWORD* values, size_t count) {
    BeginPacket(p, 0x69);
    WriteU8(p, mode);
    if (mode != 1 && mode != 2) {
        WriteU8(p, 0);
        return;
    }
    if (count > 0xFF) count = 0xFF;
    WriteU8(p, count);
    for (size_t i = 0; i < count; ++i) {
        WriteText(p, names[i], kNameField);
        WriteU32(p, values[i]);
    }
}

void PacketManager::BuildTarget(PDSTRUCT* p, M_BYTE type, M_DWORD cursorId, M_BYTE cursorFlag,
                                M_DWORD serial, M_WORD x, M_WORD y, M_WORD z, M_WORD graphic) {
    BeginPacket(p, 0x6C);
    WriteU8(p, type);
    WriteU32(p, cursorId);
    WriteU8(p, cursorFlag);
    WriteU32(p, serial);
    WriteU16(p, x);
    WriteU16(p, y);
    WriteU16(p, z);
    WriteU16(p, graphic);
}

void PacketManager::BuildSecureTrade(PDSTRUCT* p, M_BYTE action, M_DWORD a, M_DWORD b, M_DWORD c) {
    BeginPacket(p, 0x6F);
    WriteU8(p, action);
    WriteU32(p, a);
    WriteU32(p, b);
    WriteU32(p, c);
    WriteU8(p, 0);
}

void PacketManager::BuildBboard(PDSTRUCT* p, M_BYTE subcommand, M_DWORD board, M_DWORD message) {
    BeginPacket(p, 0x71);
    WriteU8(p, subcommand);
    WriteU32(p, board);
    WriteU32(p, message);
}

void PacketManager::BuildBboardPost(PDSTRUCT* p, M_BYTE subcommand, M_DWORD board, M_DWORD replyTo,
                                    const char* subject, const char* const* lines,
                                    size_t lineCount) {
    BeginPacket(p, 0x71);
    WriteU8(p, subcommand);
    WriteU32(p, board);
    WriteU32(p, replyTo);
    writeU8LengthText(p, subject);
    if (lineCount > 0xFF) lineCount = 0xFF;
    WriteU8(p, lineCount);
    for (size_t i = 0; i < lineCount; ++i) writeU8LengthText(p, lines[i]);
}

void PacketManager::BuildFightMode(PDSTRUCT* p, M_BYTE a, M_BYTE b, M_BYTE c, M_BYTE d) {
    BeginPacket(p, 0x72);
    WriteU8(p, a);
    WriteU8(p, b);
    WriteU8(p, c);
    WriteU8(p, d);
}

void PacketManager::Build73(PDSTRUCT* p, M_BYTE value) {
    BeginPacket(p, 0x73);
    WriteU8(p, value);
}

void PacketManager::BuildRename(PDSTRUCT* p, M_DWORD serial, const char* name) {
    BeginPacket(p, 0x75);
    WriteU32(p, serial);
    WriteFixedText(p, name, kNameField);
}

void PacketManager::BuildPickerReply(PDSTRUCT* p, M_DWORD serial, M_WORD menu, M_WORD choice,
                                     M_WORD graphic, M_WORD hue) {
    BeginPacket(p, 0x7D);
    WriteU32(p, serial);
    WriteU16(p, menu);
    WriteU16(p, choice);
    WriteU16(p, graphic);
    WriteU16(p, hue);
}

void PacketManager::BuildAcctLogin(PDSTRUCT* p, const char* account, const char* password,
                                   M_BYTE nextLoginKey) {
    BeginPacket(p, 0x80);
    WriteFixedText(p, account, kNameField);
    WriteFixedText(p, password, kNameField);
    WriteU8(p, nextLoginKey);
}

void PacketManager::BuildDeleteChar(PDSTRUCT* p, const char* password, M_DWORD slot,
                                    M_DWORD localAddress) {
    BeginPacket(p, 0x83);
    WriteFixedText(p, password, kNameField);
    WriteU32(p, slot);
    WriteU32(p, localAddress);
}

void PacketManager::BuildChangePassword(PDSTRUCT* p, const char* oldPassword,
                                        const char* newPassword, M_DWORD slot,
                                        M_DWORD localAddress) {
    BeginPacket(p, 0x84);
    WriteFixedText(p, oldPassword, kNameField);
    WriteFixedText(p, newPassword, kNameField);
    WriteU32(p, slot);
    WriteU32(p, localAddress);
}

void PacketManager::BuildGameLogin(PDSTRUCT* p, M_DWORD seed, const char* account,
                                   const char* password) {
    BeginPacket(p, 0x91);
    WriteU32(p, seed);
    WriteFixedText(p, account, kNameField);
    WriteFixedText(p, password, kNameField);
}

void PacketManager::BuildBookHeader(PDSTRUCT* p, M_DWORD book, const char* title,
                                    const char* author) {
    BeginPacket(p, 0x93);
    WriteU32(p, book);
    WriteU8(p, 0);
    WriteU8(p, 0);
    WriteU16(p, 0);
    WriteFixedText(p, title, kTitleField);
    WriteFixedText(p, author, kNameField);
}

void PacketManager::BuildHuePicker(PDSTRUCT* p, M_DWORD serial, M_WORD id, M_WORD hue) {
    BeginPacket(p, 0x95);
    WriteU32(p, serial);
    WriteU16(p, id);
    WriteU16(p, hue);
}

void PacketManager::BuildMobileName(PDSTRUCT* p, M_DWORD serial) {
    BeginPacket(p, 0x98);
    WriteU32(p, serial);
}

void PacketManager::Build9a(PDSTRUCT* p, M_DWORD serial, M_DWORD promptId, M_DWORD replyType,
                            const char* text) {
    BeginPacket(p, 0x9A);
    WriteU32(p, serial);
    WriteU32(p, promptId);
    WriteU32(p, replyType);
    WriteText(p, text);
}

void PacketManager::Build9b(PDSTRUCT* p, M_BYTE type, const char* text) {
    BeginPacket(p, 0x9B);
    WriteU8(p, type);
    WriteFixedText(p, text, 256);
}

void PacketManager::BuildSellReply(PDSTRUCT* p, M_DWORD vendor, const PacketSellLine* lines,
                                   size_t count) {
    BeginPacket(p, 0x9F);
    WriteU32(p, vendor);
    if (count > 0xFFFF) count = 0xFFFF;
    WriteU16(p, count);
    for (size_t i = 0; i < count; ++i) {
        WriteU32(p, lines[i].serial);
        WriteU16(p, lines[i].amount);
    }
}

void PacketManager::BuildSelectServer(PDSTRUCT* p, M_WORD index) {
    BeginPacket(p, 0xA0);
    WriteU16(p, index);
}

void PacketManager::BuildTipRequest(PDSTRUCT* p, M_WORD tip, M_BYTE flag) {
    BeginPacket(p, 0xA7);
    WriteU16(p, tip);
    WriteU8(p, flag);
}

void PacketManager::BuildStringQueryReply(PDSTRUCT* p, M_DWORD serial, M_WORD queryId,
                                          M_BYTE answerType, const char* text) {
    BeginPacket(p, 0xAC);
    WriteU32(p, serial);
    WriteU16(p, queryId);
    WriteU8(p, answerType);
    // The u16 length counts the NUL, so the text keeps one byte less.
    size_t n = text ? strnlen(text, 0xFFFE) : 0;
    WriteU16(p, n + 1);
    WriteBytes(p, text, n);
    WriteU8(p, 0);
}

void PacketManager::BuildHelpHoverRequest(PDSTRUCT* p, M_DWORD serial, M_BYTE flag,
                                          const char* languageCode) {
    BeginPacket(p, 0xB6);
    WriteU32(p, serial);
    WriteU8(p, flag);
    WriteFixedText(p, languageCode, 3);
}

void PacketManager::BuildClientVersion(PDSTRUCT* p, const char* versionText) {
    BeginPacket(p, 0xBD);
    WriteText(p, versionText);
}

void PacketManager::BuildBe(PDSTRUCT* p, M_DWORD value, const char* versionText) {
    BeginPacket(p, 0xBE);
    WriteU32(p, value);
    WriteText(p, versionText);
}
