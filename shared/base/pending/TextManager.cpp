#include "gumps/TextManager.h"

#include "pending/Pending.h"

void TextManager::AddSystemMessage(int, int, const char* text) {
    TW_PENDING("TextManager::AddSystemMessage");
    TWReport::print("%s\n", text ? text : "");
}

void TextManager::SendSpeech(const char*, int, int) {
    TW_PENDING("TextManager::SendSpeech");
}

void TextManager::startup() {
    TW_PENDING("TextManager::startup");
}

void TextManager::shutdown() {
    TW_PENDING("TextManager::shutdown");
}

void TextManager::CloseJournalFile() {
    TW_PENDING("TextManager::CloseJournalFile");
}
