#include "support/fakes/FakeDialogs.h"

#include <cstdio>

#include "dialogs/ContainerGump.h"
#include "dialogs/PaperdollGump.h"
#include "dialogs/RadarGump.h"
#include "dialogs/ShopGump.h"
#include "dialogs/StackGump.h"
#include "dialogs/TradeGump.h"
#include "support/TwTest.h"

namespace tw::fake {

DialogState& Dialogs() {
    static DialogState state;
    return state;
}

std::string NameOf(const void* p) {
    auto it = Dialogs().names.find(p);
    return it == Dialogs().names.end() ? "?" : it->second;
}

namespace {
const bool registered = [] {
    tw::test::AddServiceReset([] { Dialogs() = DialogState{}; });
    return true;
}();

void Record(const char* call, const void* gump, const std::string& rest = "") {
    std::string text = std::string(call) + " " + NameOf(gump);
    if (!rest.empty()) text += " " + rest;
    Dialogs().calls.push_back(text);
}
}  // namespace

}  // namespace tw::fake

using tw::fake::NameOf;
using tw::fake::Record;

void CContainerGump::AddToGump(CObj* object) {
    Record("AddToGump", this, NameOf(object));
}
void CContainerGump::AddContents(const RECT& area) {
    char text[64];
    snprintf(text, sizeof text, "%d,%d,%d,%d", area.left, area.top, area.right, area.bottom);
    Record("AddContents", this, text);
}
void CPaperdollGump::Invalidate() {
    Record("PaperdollInvalidate", this);
}
void CRadarGump::RenderMap() {
    Record("RenderMap", this);
}
void CShopGump::RemoveItem(M_DWORD serial) {
    Record("RemoveItem", this, std::to_string(serial));
}
void CShopGump::RedrawFrame() {
    Record("RedrawFrame", this);
}
void CStackGump::CenterAmountSlider() {
    Record("CenterAmountSlider", this);
}
M_DWORD CTradeGump::GetTradeSerial() {
    return tw::fake::Dialogs().tradeSerial;
}
