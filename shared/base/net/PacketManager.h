// PacketManager: the drop policy of received messages, the field writers of
// built packets and one builder per client message.  Handlers read the fields
// of a received message through `PacketIn::fields()`, a bounded `ByteReader`
// that starts after the header.
//
// Builders fill a caller's `PDSTRUCT` and return; the caller hands the packet
// to `CClientSock::Write`, and nothing leaves before the next poll.  Builders
// never send.  Every copied text is bounded by its field: a char[30] field
// gets at most 30 bytes, NUL-padded; a NUL-terminated text is bounded by the
// packet's room, and a text whose length goes out in a u8 is cut so that the
// length (with its NUL) stays at most 254.
//
// The server-message handlers are added by the folders that build the
// windows they open; the dispatcher (net/Dispatch.cpp) reaches them through
// the packet table.
#pragma once

#include <cstddef>

#include "Service.h"
#include "TWTypes.h"
#include "net/Packet.h"

class CDrawItem;

// The character-creation record that the creation gumps fill (message 0x00).
struct PDSTRUCT_CREATE_CHAR {
    const char* name = "";      // 30-byte field
    const char* password = "";  // 30-byte field
    M_BYTE sex = 0;             // 1 = female (the facial-hair style is then 0)
    M_BYTE stats[3] = {};
    M_BYTE skills[3] = {};
    M_BYTE skillValues[3] = {};
    M_WORD colours[5] = {};  // the five colour choices, each already index + 1
    M_WORD hairStyle = 0;
    M_WORD facialHairStyle = 0;
    M_BYTE shardIndex = 0;
    M_BYTE startIndex = 0;
    M_DWORD slot = 0;
};

struct PacketBuyLine {
    M_BYTE layer;
    M_DWORD serial;
    M_WORD amount;
};

struct PacketSellLine {
    M_DWORD serial;
    M_WORD amount;
};

// The cancelling target answer, reached through this interface so that the
// application's tests can record it; InstallTargetMessages installs the
// network layer's own (TargetHandlers.cpp).
class TargetMessages {
public:
    static constexpr const char* kServiceName = "TargetMessages";
    virtual ~TargetMessages() = default;
    virtual void SendTargetCancel() = 0;
};

void InstallTargetMessages();

class PacketManager {
public:
    static void startup();
    static void shutdown();

    // The one drop policy of the handlers: logs the id and the reason and
    // drops the message.
    static void DropPacket(const PacketIn& packet, const char* reason);

    // Hands one framed message to its handler (ids 0x11-0xC1); an id whose
    // handler is not built yet is consumed and logged once.
    static void Dispatch(const PacketIn& packet);

    // Installs the handler of one server message id; the modules that a
    // message feeds register their handlers at start-up, so that the table
    // stays here and nothing in this layer names them.  A null handler puts
    // the id back to "not handled yet".  Ids outside the table are ignored.
    static void SetHandler(unsigned id, PacketHandler handler);
    static PacketHandler GetHandler(unsigned id);

    // Shows a line of 8-bit speech by its type (0x1C): over its speaker or
    // as a system text; the text may be filtered in place.  The speech
    // display defines it.
    static void DisplaySpeech(M_DWORD serial, int graphic, int type, int hue, int font,
                              const char* name, char* text);

    // Writing: the running length lives in the record (3 for variable ids,
    // 1 for fixed ids after BeginPacket).
    static void BeginPacket(PDSTRUCT* packet, M_BYTE id);
    static void WriteU8(PDSTRUCT* packet, unsigned value);
    static void WriteU16(PDSTRUCT* packet, unsigned value);
    static void WriteU32(PDSTRUCT* packet, M_DWORD value);
    static void WriteBytes(PDSTRUCT* packet, const void* source, size_t n);
    // Text in a fixed field: at most fieldSize bytes, NUL-padded.
    static void WriteFixedText(PDSTRUCT* packet, const char* text, size_t fieldSize);
    // Text with its NUL, at most maxLength bytes before the NUL.
    static void WriteText(PDSTRUCT* packet, const char* text,
                          size_t maxLength = PDSTRUCT::kCapacity);

    // The length that goes on the wire: the table length for fixed ids, the
    // running length for variable ids.
    static size_t WireLength(const PDSTRUCT& packet);
    // Makes a built packet ready to send: a variable id's length goes into
    // bytes 1-2, big-endian.  Returns the wire length, or 0 for a packet that
    // cannot be sent (no table row, or it overflowed).
    static size_t SealPacket(PDSTRUCT* packet);

    // Answers the open target cursor with the cancelling reply and ends
    // targeting (TargetMessages).
    static void SendTargetCancel() { tw::Service<TargetMessages>::Get().SendTargetCancel(); }
    // Answers the server's target cursor with what the player picked (null:
    // nothing is sent): ground, an object or static art, as message 0x6C
    // with the pending cursor id; then targeting ends.
    static void SendTargetResponse(CDrawItem* picked);

    // Message-service command records (16-bit texts; the program's
    // message-service socket is in net/GMSSock.h).  Appends to buffer, which
    // holds capacity units with the terminator, the prefix of the code, the
    // text (not for codes 2, 9 and 13) and "\r\n"; a record that does not
    // fit is refused whole.  Code 9 also sets the sign-in state.
    static BOOL BuildMessageServiceCommand(M_WORD* buffer, size_t capacity, int code,
                                           const M_WORD* text);
    // Builds one record and writes it to the message-service socket, when
    // there is one; the 8-bit overload widens the text first.
    static void SendMessageServiceCommand(int code, const M_WORD* text);
    static void SendMessageServiceCommand(int code, const char* text);
    // The help mail of the extended-command message: with flags a, b and c
    // all 0 the mail text goes out as a code 7 record, otherwise the
    // help-mail window opens with all the arguments.
    static void BuildHelpMail(int flagA, const M_WORD* recipient, const M_WORD* recipientName,
                              int useAccount, int flagB, const M_WORD* subject, int flagC,
                              const M_WORD* body, const M_WORD* windowArgument,
                              const M_WORD* senderId);

    // Builders, one per client message.
    static void BuildCreateChar(PDSTRUCT* p, const PDSTRUCT_CREATE_CHAR& c, M_DWORD localAddress);
    static void Build01(PDSTRUCT* p);
    static void BuildMoveRequest(PDSTRUCT* p, M_BYTE direction, M_BYTE sequence, M_DWORD value);
    static void BuildTalk(PDSTRUCT* p, M_BYTE mode, M_WORD colour, M_WORD font, const char* text,
                          size_t length);
    static void BuildAttack(PDSTRUCT* p, M_DWORD serial);
    static void BuildUseObject(PDSTRUCT* p, M_DWORD serial);
    static void BuildPickup(PDSTRUCT* p, M_DWORD serial, M_WORD amount);
    static void BuildDrop(PDSTRUCT* p, M_DWORD serial, M_WORD x, M_WORD y, M_BYTE z,
                          M_DWORD container);
    static void BuildLook(PDSTRUCT* p, M_DWORD serial);
    static void BuildTextCommand(PDSTRUCT* p, M_BYTE type, const char* text);
    static void BuildEquipRequest(PDSTRUCT* p, M_DWORD item, M_BYTE layer, M_DWORD mobile);
    static void BuildMoveAck(PDSTRUCT* p);
    static void BuildDeathMenu(PDSTRUCT* p, M_BYTE choice);
    static void BuildStatusRequest(PDSTRUCT* p, M_BYTE type, M_DWORD serial);
    static void BuildSkills(PDSTRUCT* p, M_WORD skill, M_BYTE state);
    static void BuildBuyItems(PDSTRUCT* p, M_DWORD vendor, M_BYTE flag, const PacketBuyLine* lines,
                              size_t count);
    static void BuildMapPlot(PDSTRUCT* p, M_DWORD serial, M_BYTE action, M_BYTE pin, M_WORD x,
                             M_WORD y);
    static void BuildPlayChar(PDSTRUCT* p, const char* name, const char* password, M_DWORD slot,
                              M_DWORD localAddress);
    static void BuildBookPages(PDSTRUCT* p, M_DWORD book, M_WORD page);
    // Lines come from 80-byte slots.
    static void BuildBookPageText(PDSTRUCT* p, M_DWORD book, M_WORD page, const char (*lines)[80],
                                  size_t lineCount);
    // Names come from 30-byte slots; mode 0 (or any mode but 1 and 2) sends no list.
    static void Build69(PDSTRUCT* p, M_BYTE mode, const char (*names)[30], const M_DWORD* values,
                        size_t count);
    static void BuildTarget(PDSTRUCT* p, M_BYTE type, M_DWORD cursorId, M_BYTE cursorFlag,
                            M_DWORD serial, M_WORD x, M_WORD y, M_WORD z, M_WORD graphic);
    static void BuildSecureTrade(PDSTRUCT* p, M_BYTE action, M_DWORD a, M_DWORD b, M_DWORD c);
    static void BuildBboard(PDSTRUCT* p, M_BYTE subcommand, M_DWORD board, M_DWORD message);
    static void BuildBboardPost(PDSTRUCT* p, M_BYTE subcommand, M_DWORD board, M_DWORD replyTo,
                                const char* subject, const char* const* lines, size_t lineCount);
    static void BuildFightMode(PDSTRUCT* p, M_BYTE a, M_BYTE b, M_BYTE c, M_BYTE d);
    static void Build73(PDSTRUCT* p, M_BYTE value);
    static void BuildRename(PDSTRUCT* p, M_DWORD serial, const char* name);
    static void BuildPickerReply(PDSTRUCT* p, M_DWORD serial, M_WORD menu, M_WORD choice,
                                 M_WORD graphic, M_WORD hue);
    static void BuildAcctLogin(PDSTRUCT* p, const char* account, const char* password,
                               M_BYTE nextLoginKey);
    static void BuildDeleteChar(PDSTRUCT* p, const char* password, M_DWORD slot,
                                M_DWORD localAddress);
    static void BuildChangePassword(PDSTRUCT* p, const char* oldPassword, const char* newPassword,
                                    M_DWORD slot, M_DWORD localAddress);
    static void BuildGameLogin(PDSTRUCT* p, M_DWORD seed, const char* account,
                               const char* password);
    static void BuildBookHeader(PDSTRUCT* p, M_DWORD book, const char* title, const char* author);
    static void BuildHuePicker(PDSTRUCT* p, M_DWORD serial, M_WORD id, M_WORD hue);
    static void BuildMobileName(PDSTRUCT* p, M_DWORD serial);
    static void Build9a(PDSTRUCT* p, M_DWORD serial, M_DWORD promptId, M_DWORD replyType,
                        const char* text);
    static void Build9b(PDSTRUCT* p, M_BYTE type, const char* text);
    static void BuildSellReply(PDSTRUCT* p, M_DWORD vendor, const PacketSellLine* lines,
                               size_t count);
    static void BuildSelectServer(PDSTRUCT* p, M_WORD index);
    static void BuildTipRequest(PDSTRUCT* p, M_WORD tip, M_BYTE flag);
    static void BuildStringQueryReply(PDSTRUCT* p, M_DWORD serial, M_WORD queryId,
                                      M_BYTE answerType, const char* text);
    // languageCode: the user's three-letter code (the language manager's).
    static void BuildHelpHoverRequest(PDSTRUCT* p, M_DWORD serial, M_BYTE flag,
                                      const char* languageCode);
    // versionText: the client version text of the version manager.
    static void BuildClientVersion(PDSTRUCT* p, const char* versionText);
    static void BuildBe(PDSTRUCT* p, M_DWORD value, const char* versionText);

    // Test support: an observer sees every message handed to Dispatch.
    using DispatchObserver = void (*)(const PacketIn& packet);
    static void SetDispatchObserverForTests(DispatchObserver observer);
    static void reset();
};
