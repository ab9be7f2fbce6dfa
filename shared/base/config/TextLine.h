// The line reader that the configuration, credits, macro and option readers
// share.
#pragma once

#include <cstdio>

constexpr int TEXT_LINE_SIZE = 264;

// Reads one line into a static buffer of TEXT_LINE_SIZE bytes and returns it
// zero-terminated (the next call overwrites it).  LF, CR, CR LF and LF CR end
// a line; LF LF gives an empty second line.  Characters past the first 263 of
// a line are read and dropped.  At end of file the line holds what was read
// (possibly nothing): callers test feof.
char* ReadTextLine(FILE* file);
