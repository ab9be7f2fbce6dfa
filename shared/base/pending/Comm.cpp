// Stand-in of the communication dialogs that are not built yet: boards,
// chat, mail and HTML windows and the word filter.  The barks are built; the
// stand-in makes them.
#include "comm/BBGump.h"
#include "comm/BarkGump.h"
#include "comm/Chat.h"
#include "comm/HtmlMessages.h"
#include "comm/MailGumps.h"
#include "comm/UnicodeBarkGump.h"
#include "comm/WordFilter.h"
#include "net/Packet.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"
#include "world/Obj.h"

void CBBGump::RemoveMessage(CGump*) {
    TW_PENDING("CBBGump::RemoveMessage");
}

namespace {

class CommStandIn : public CommService {
public:
    CGump* MakeBarkGump(CObj* object, const char* text, int hue, int font) override {
        return CBarkGump::Create(object, text, hue, font);
    }
    void DeleteHtmlMessages() override { TW_PENDING("DeleteHtmlMessages"); }
    // Leaves the packet unbuilt, so the connection refuses it.
    void SendChatOpen(PDSTRUCT* buffer, const M_WORD*) override {
        TW_PENDING("SendChatOpen");
        if (buffer) buffer->valid = false;
    }
    void OpenHelpMailGump(int, const M_WORD*, const M_WORD*, int, int, const M_WORD*, int,
                          const M_WORD*, const M_WORD*, const M_WORD*) override {
        TW_PENDING("OpenHelpMailGump");
    }
    void FilterProfanity(char*) override { TW_PENDING("FilterProfanity"); }
    void FilterProfanityUnicode(M_WORD*) override { TW_PENDING("FilterProfanityUnicode"); }
    void ShowUnicodeBark(CDynamicObj* object, const M_WORD* text, int hue, int font,
                         const char* language, CGump* gump) override {
        CUnicodeBarkGump::Create(object, text, hue, font, language, gump);
    }
};

}  // namespace

void InstallPendingComm() {
    InstallStandIn<CommStandIn, CommService>();
}
