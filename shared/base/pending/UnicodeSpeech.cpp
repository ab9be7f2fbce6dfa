#include "resources/UnicodeSpeech.h"

#include "pending/Pending.h"

void SendUnicodeSpeech(const M_WORD*, int, int) {
    TW_PENDING("SendUnicodeSpeech");
}
