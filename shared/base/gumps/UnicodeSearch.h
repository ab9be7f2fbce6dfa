// Case-blind search of a pattern in a wide text, for the profanity filters
// of the speech road.  Every comparison goes through UnicodeFold (resources).
#pragma once

#include "TWTypes.h"

// The index in text of the first case-blind occurrence of pattern, or -1.
// An empty pattern is found at 0; a null pattern or text finds nothing.
// Boyer-Moore with the bad-character and good-suffix rules; its tables are
// the call's own and sized to the pattern, so any pattern length works and
// the search may run anywhere.
int UnicodeFindNoCase(const M_WORD* pattern, const M_WORD* text);
