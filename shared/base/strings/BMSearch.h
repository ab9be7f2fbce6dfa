// Case-blind search of an 8-bit pattern in an 8-bit text (Boyer-Moore with
// the bad-character and good-suffix rules).  Bytes fold through tolower as
// unsigned values.  Answers the index of the first occurrence, or -1; an
// empty pattern is found at 0.  Reentrant: the tables are the call's own.
#pragma once

int BMSearchNoCase(const char* pattern, const char* text);
