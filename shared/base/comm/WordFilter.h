// The word filter of the obscenity list.  Only what its callers use so far is
// declared here (CommService).
#pragma once

#include "comm/Comm.h"

// Replaces, in place, each word of the obscenity list with "!@#$%&*".
inline void FilterProfanity(char* text) {
    comm::Service().FilterProfanity(text);
}
inline void FilterProfanityUnicode(M_WORD* text) {
    comm::Service().FilterProfanityUnicode(text);
}
