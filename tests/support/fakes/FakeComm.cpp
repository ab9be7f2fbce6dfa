#include "support/fakes/FakeComm.h"

#include <map>

#include "comm/BBGump.h"
#include "support/TwTest.h"
#include "world/Obj.h"

namespace tw::fake {

namespace {
std::map<const CBarkGump*, std::string>& Texts() {
    static std::map<const CBarkGump*, std::string> texts;
    return texts;
}

const bool registered = [] {
    tw::test::AddServiceReset([] { Barks() = BarkState{}; });
    return true;
}();
}  // namespace

BarkState& Barks() {
    static BarkState state;
    return state;
}

std::vector<std::string> TextsOf(const CObj* object) {
    std::vector<std::string> texts;
    for (CBarkGump* t = object->textGumps; t; t = t->nextText) texts.push_back(t->GetText());
    return texts;
}

}  // namespace tw::fake

CBarkGump::CBarkGump(CObj* object, const char* text, int hueIn, int fontIn, CGump* ownerGump,
                     int v1, int v2)
    : hue(static_cast<M_WORD>(hueIn)), font(static_cast<M_WORD>(fontIn)), value1(v1), value2(v2) {
    owner = object;
    parent = ownerGump;
    tw::fake::Texts()[this] = text ? text : "";
    ++tw::fake::Barks().made;
    if (object) {
        nextText = object->textGumps;
        object->textGumps = this;
    }
}

CBarkGump::~CBarkGump() {
    // Unless the object deletes its texts itself, a text leaves its list.
    if (owner && !g_objectDeletingTexts) {
        for (CBarkGump** link = &owner->textGumps; *link; link = &(*link)->nextText)
            if (*link == this) {
                *link = nextText;
                break;
            }
    }
    tw::fake::Texts().erase(this);
    ++tw::fake::Barks().deleted;
}

int CBarkGump::GetKind() {
    for (const auto& [gump, kind] : tw::fake::Barks().kinds)
        if (gump == this) return kind;
    return 0;
}

void CBarkGump::FollowOwner() {
    ++tw::fake::Barks().follows;
}

void CBarkGump::ArrangeStack(CBarkGump*) {
    ++tw::fake::Barks().arranges;
}

const char* CBarkGump::GetText() {
    auto it = tw::fake::Texts().find(this);
    return it == tw::fake::Texts().end() ? "" : it->second.c_str();
}

void CBBGump::RemoveMessage(CGump* message) {
    tw::fake::Barks().boardRemovals.push_back(message);
}
