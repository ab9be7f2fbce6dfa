// Stand-in of the text manager: system messages go to the report file.
#include "gumps/TextManager.h"
#include "pending/Pending.h"
#include "pending/PendingServices.h"

namespace {

class TextManagerStandIn : public TextManagerService {
public:
    void startup() override { TW_PENDING("TextManager::startup"); }
    void shutdown() override { TW_PENDING("TextManager::shutdown"); }
    void CloseJournalFile() override { TW_PENDING("TextManager::CloseJournalFile"); }
    void AddSystemMessage(int, int, const char* text) override {
        TW_PENDING("TextManager::AddSystemMessage");
        TWReport::print("%s\n", text ? text : "");
    }
    void SendSpeech(const char*, int, int) override { TW_PENDING("TextManager::SendSpeech"); }
};

}  // namespace

void InstallPendingTextManager() {
    InstallStandIn<TextManagerStandIn, TextManagerService>();
}
