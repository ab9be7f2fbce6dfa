// The higher library of the layer check's fixture: one function out of
// line, one inline (which leaves no symbol behind in a caller's library).
#pragma once

int High();
inline int HighInline() {
    return 3;
}
