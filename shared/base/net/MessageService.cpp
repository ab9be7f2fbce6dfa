// The message-service command records and the help mail.
//
// Every text here is built in a bounded 16-bit buffer: a piece that does not
// fit is refused whole (the record is dropped with a log line), never cut
// into a damaged command and never written past the buffer.
#include <cstdio>
#include <cstring>

#include "TWReport.h"
#include "config/Config.h"
#include "net/ConnectionEvents.h"
#include "net/GMSSock.h"
#include "net/PacketManager.h"

namespace {

// The scratch buffers hold 64,000 bytes.
constexpr size_t kScratchUnits = 64000 / 2;

// Appends to a NUL-terminated 16-bit text of capacity units (terminator
// included).
class WideAppender {
public:
    WideAppender(M_WORD* buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) {
        while (length_ < capacity_ && buffer_[length_] != 0) ++length_;
        ok_ = length_ < capacity_;
    }

    WideAppender& ascii(const char* text) {
        if (text)
            for (; *text && ok_; ++text) unit(static_cast<unsigned char>(*text));
        return *this;
    }
    WideAppender& wide(const M_WORD* text) {
        if (text)
            for (; *text && ok_; ++text) unit(*text);
        return *this;
    }
    WideAppender& number(int value) {
        char digits[16];
        snprintf(digits, sizeof digits, "%d", value);
        return ascii(digits);
    }

    // Terminates the text; FALSE (and the buffer as it was) when anything
    // did not fit.
    BOOL finish(size_t start) {
        if (!ok_) {
            if (start < capacity_) buffer_[start] = 0;
            return FALSE;
        }
        buffer_[length_] = 0;
        return TRUE;
    }
    size_t length() const { return length_; }

private:
    void unit(M_WORD u) {
        if (length_ + 1 >= capacity_) {
            ok_ = false;
            return;
        }
        buffer_[length_++] = u;
    }

    M_WORD* buffer_;
    size_t capacity_;
    size_t length_ = 0;
    bool ok_ = true;
};

struct CommandPrefix {
    const char* prefix;
    bool withText;
};

CommandPrefix PrefixOf(int code) {
    switch (code) {
        case 1:
            return {"/g ", true};
        case 2:
            return {"/b ", false};
        case 3:
            return {"/a ", true};
        case 4:
            return {"/d ", true};
        case 5:
            return {"/v ", true};
        case 6:
            return {"/r ", true};
        case 7:
            return {"/x\r\n", true};
        case 8:
            return {"/o ", true};
        case 9:
            return {"/s ", false};
        case 10:
            return {"/i ", true};
        case 11:
            return {"/e ", true};
        case 12:
            return {"/m ", true};
        case 13:
            return {"/y ", false};
        case 14:
            return {"/j ", true};
        case 15:
            return {"/q ", true};
        default:
            return {"ECHO: ", true};
    }
}

}  // namespace

BOOL PacketManager::BuildMessageServiceCommand(M_WORD* buffer, size_t capacity, int code,
                                               const M_WORD* text) {
    if (!buffer || capacity == 0) return FALSE;
    CommandPrefix p = PrefixOf(code);
    if (code == 9) g_messageServiceState = 1;
    WideAppender out(buffer, capacity);
    size_t start = out.length();
    out.ascii(p.prefix);
    if (p.withText) out.wide(text);
    out.ascii("\r\n");
    if (!out.finish(start)) {
        TWReport::error(
            "PacketManager::BuildMessageServiceCommand: command %d does not fit; dropped.\n", code);
        return FALSE;
    }
    return TRUE;
}

void PacketManager::SendMessageServiceCommand(int code, const M_WORD* text) {
    if (!g_pGMSSock) return;
    static M_WORD record[kScratchUnits];
    record[0] = 0;
    if (BuildMessageServiceCommand(record, kScratchUnits, code, text)) g_pGMSSock->Write(record);
}

void PacketManager::SendMessageServiceCommand(int code, const char* text) {
    if (!g_pGMSSock) return;
    static M_WORD wide[kScratchUnits];
    wide[0] = 0;
    WideAppender out(wide, kScratchUnits);
    if (!out.ascii(text).finish(0)) {
        TWReport::error(
            "PacketManager::SendMessageServiceCommand: text of command %d too long; dropped.\n",
            code);
        return;
    }
    SendMessageServiceCommand(code, wide);
}

void PacketManager::BuildHelpMail(int flagA, const M_WORD* recipient, const M_WORD* recipientName,
                                  int useAccount, int flagB, const M_WORD* subject, int flagC,
                                  const M_WORD* body, const M_WORD* windowArgument,
                                  const M_WORD* senderId) {
    if (flagA || flagB || flagC) {
        net::Windows().OpenHelpMailGump(flagA, recipient, recipientName, useAccount, flagB, subject,
                                        flagC, body, windowArgument, senderId);
        return;
    }

    static M_WORD mail[kScratchUnits];
    mail[0] = 0;
    WideAppender out(mail, kScratchUnits);
    out.ascii("To: <").wide(recipient).ascii("> \"").wide(recipientName);
    out.ascii("\" (dummy)\r\nFrom: <");
    if (senderId && senderId[0])
        out.wide(senderId);
    else
        out.number(g_messageServiceUserNumber);
    out.ascii("@").ascii(MESSAGE_SERVICE_MAIL_DOMAIN).ascii("> \"");
    if (useAccount) {
        out.ascii(AcctID);
    } else {
        const char* character = net::Windows().GetCurrentCharacterName();
        out.ascii(character && character[0] ? character : PlayerName);
        const char* shard = net::Windows().GetCurrentShardName();
        out.ascii(" of ").ascii(shard && shard[0] ? shard : "Nowhere");
    }
    out.ascii("\"\r\nSubject: ").wide(subject).ascii("\r\n\r\n").wide(body);
    if (!out.finish(0)) {
        TWReport::error("PacketManager::BuildHelpMail: the mail does not fit; dropped.\n");
        return;
    }
    if (!g_pGMSSock) return;
    static M_WORD record[kScratchUnits];
    record[0] = 0;
    if (BuildMessageServiceCommand(record, kScratchUnits, 7, mail)) g_pGMSSock->Write(record);
}
