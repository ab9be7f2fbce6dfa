// The communication dialogs that the world model uses: texts over objects
// and bulletin boards.
#include "comm/BBGump.h"
#include "comm/BarkGump.h"
#include "pending/Pending.h"
#include "world/Obj.h"

// Not shown yet; attached so that the object deletes it with its texts.
CBarkGump::CBarkGump(CObj* object, const char*, int hueIn, int fontIn, CGump*, int v1, int v2)
    : hue(static_cast<M_WORD>(hueIn)), font(static_cast<M_WORD>(fontIn)), value1(v1), value2(v2) {
    TW_PENDING("CBarkGump::CBarkGump");
    owner = object;
    if (object) {
        nextText = object->textGumps;
        object->textGumps = this;
    }
}
CBarkGump::~CBarkGump() = default;
int CBarkGump::GetKind() {
    TW_PENDING("CBarkGump::GetKind");
    return 0;
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
