// Stand-in of the communication dialogs.  Texts over objects are not shown
// yet, but they attach themselves to their object (which deletes them with
// its texts) and keep what they were made with.
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

CBarkGump::CBarkGump(CObj* object, const char*, int hueIn, int fontIn, CGump* ownerGump, int v1,
                     int v2) {
    TW_PENDING("CBarkGump::CBarkGump");
    hue = static_cast<M_WORD>(hueIn);
    font = static_cast<M_WORD>(fontIn);
    value1 = v1;
    value2 = v2;
    owner = object;
    parent = ownerGump;
    if (object) {
        nextText = object->textGumps;
        object->textGumps = this;
    }
}
CBarkGump::~CBarkGump() {
    // Unless the object deletes its texts itself, a text leaves its list.
    if (owner && !g_objectDeletingTexts) {
        for (ObjectText** link = &owner->textGumps; *link; link = &(*link)->nextText)
            if (*link == this) {
                *link = nextText;
                break;
            }
    }
}
// The kind is the first value the text was made with.
int CBarkGump::GetKind() {
    return value1;
}
void CBarkGump::FollowOwner() {
    TW_PENDING("CBarkGump::FollowOwner");
}
void CBarkGump::ArrangeStack(CBarkGump*) {
    TW_PENDING("CBarkGump::ArrangeStack");
}
const char* CBarkGump::GetText() {
    TW_PENDING("CBarkGump::GetText");
    return "";
}

void CBBGump::RemoveMessage(CGump*) {
    TW_PENDING("CBBGump::RemoveMessage");
}

CUnicodeBarkGump::CUnicodeBarkGump(CDynamicObj*, const M_WORD*, int, int, const char*, CGump*) {
    TW_PENDING("CUnicodeBarkGump::CUnicodeBarkGump");
}

namespace {

class CommStandIn : public CommService, public ObjectTexts {
public:
    CGump* MakeBarkGump(CObj* object, const char* text, int hue, int font) override {
        return new CBarkGump(object, text, hue, font);
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
        // The gump manager will own it; until then it is not shown and goes.
        delete new CUnicodeBarkGump(object, text, hue, font, language, gump);
    }

    ObjectText* MakeText(CObj* object, const char* text, int hue, int font, CGump* ownerGump,
                         int value1, int value2) override {
        return new CBarkGump(object, text, hue, font, ownerGump, value1, value2);
    }
    void ArrangeStack(ObjectText* first) override {
        CBarkGump::ArrangeStack(static_cast<CBarkGump*>(first));
    }
};

}  // namespace

void InstallPendingComm() {
    InstallStandIn<CommStandIn, CommService, ObjectTexts>();
}
