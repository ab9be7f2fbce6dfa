// The word filter of the obscenity list.  Only what its callers use so far is
// declared here.
#pragma once

#include "TWTypes.h"

// Replaces, in place, each word of the obscenity list with "!@#$%&*".
void FilterProfanity(char* text);
void FilterProfanityUnicode(M_WORD* text);
