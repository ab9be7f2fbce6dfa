// The double click of an input field: a field that names a mobile lets the
// player pick one with a target cursor, then asks the server for its name
// (message 0x98).
#include "gumps/GumpHandle.h"
#include "gumps/InputControlGump.h"
#include "gumps/TextManager.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "world/ObjectQueries.h"

namespace {

constexpr int kMobileTarget = 2;
// The text manager's system messages: hue 0 in font 3.
constexpr int kMessageFont = 3, kMessageHue = 0;

InputTargetCursor& cursor() {
    return tw::Service<InputTargetCursor>::Get();
}

}  // namespace

void CInputControlGump::SelectMobileTarget() {
    GumpHandle self(this);
    if (targetMobile && !cursor().IsTargeting()) {
        TextManager::AddSystemMessage(kMessageHue, kMessageFont, "Select a player.");
        pendingTargetField = this;
        cursor().SetTargetCursor(kMobileTarget, MobileTargetPicked);
    }
    if (self && parent) parent->SelectEntry(this);
}

void CInputControlGump::MobileTargetPicked(CDrawItem* picked) {
    CInputControlGump* field = pendingTargetField;
    if (picked && IsMobileObject(picked) && field) {
        const M_DWORD serial = GetObjectSerial(picked);
        field->value = static_cast<int>(serial);
        field->SetText("(mobile)");
        field->RedrawText();
        if (field->parent) field->parent->HandleButton(field);
        PDSTRUCT packet;
        PacketManager::BuildMobileName(&packet, serial);
        if (g_pGameSocket) g_pGameSocket->Write(&packet);
    } else {
        TextManager::AddSystemMessage(kMessageHue, kMessageFont, "Not a mobile.");
    }
    pendingTargetField = nullptr;
    cursor().EndTarget();
}
