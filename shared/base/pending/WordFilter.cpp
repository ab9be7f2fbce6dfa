#include "comm/WordFilter.h"
#include "pending/Pending.h"

void FilterProfanity(char*) {
    TW_PENDING("FilterProfanity");
}
void FilterProfanityUnicode(M_WORD*) {
    TW_PENDING("FilterProfanityUnicode");
}
