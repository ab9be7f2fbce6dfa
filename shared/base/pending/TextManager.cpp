#include "gumps/TextManager.h"

#include "pending/Pending.h"

void TextManager::AddSystemMessage(int, int, const char* text) {
    TW_PENDING("TextManager::AddSystemMessage");
    TWReport::print("%s\n", text ? text : "");
}
