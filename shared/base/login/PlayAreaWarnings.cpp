// The play area's questions before harmful acts and the answers of their
// buttons: "This may flag you criminal!" before a target is answered with
// an innocent, and the warning before an innocent is attacked.  The object
// asked about is remembered by serial and looked up again at the answer,
// since the server may delete it while the question is open.
#include "login/PlayAreaWarnings.h"

#include <utility>

#include "TWReport.h"
#include "login/FrontEnd.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "view/MapGump.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

namespace {

// The object of the open question (0: none), for the whole connection.
M_DWORD s_targetSerial = 0;
M_DWORD s_attackSerial = 0;

void Ask(const char* question, GumpCallbackFn yes, GumpCallbackFn no) {
    auto* gump = new CYesNoGump(question, yes, no, nullptr);
    gump->PutInGump(nullptr);
}

// The remembered object, or null with a log line when it has gone.
CDynamicObj* Remembered(M_DWORD serial, const char* who) {
    CDynamicObj* object = serial ? CObjectManager::FindObject(serial) : nullptr;
    if (!object)
        TWReport::warning("%s: object 0x%08X is gone; nothing is sent.\n", who,
                          static_cast<unsigned>(serial));
    return object;
}

class Warnings final : public PlayAreaQuestions {
public:
    void AskBeforeTarget(M_DWORD serial) override {
        s_targetSerial = serial;
        Ask("This may flag you criminal!", &CGump::ConfirmTarget, &CGump::CancelTargetAndClose);
    }
    void AskBeforeAttack(M_DWORD serial, const char* question) override {
        s_attackSerial = serial;
        Ask(question, &CGump::ConfirmAttack, &CGump::Close);
    }
};

}  // namespace

void CGump::CancelTargetAndClose() {
    s_targetSerial = 0;
    PacketManager::SendTargetCancel();
    Close();
}

void CGump::ConfirmTarget() {
    if (CDynamicObj* object = Remembered(std::exchange(s_targetSerial, 0), "CGump::ConfirmTarget"))
        PacketManager::SendTargetResponse(object);
    Close();
}

void CGump::ConfirmAttack() {
    if (CDynamicObj* object =
            Remembered(std::exchange(s_attackSerial, 0), "CGump::ConfirmAttack")) {
        PDSTRUCT packet;
        PacketManager::BuildAttack(&packet, object->GetSerial());
        WriteToOpenGame(&packet, "CGump::ConfirmAttack");
    }
    Close();
}

void InstallPlayAreaWarnings() {
    static Warnings warnings;
    tw::Service<PlayAreaQuestions>::Install(&warnings);
}
