// The word splitter of the speech line's dot commands and of the server's
// gump layouts.
#include "gumps/InputWindow.h"

const char* GetLowercaseWord(const char* source, char* destination, size_t size) {
    const char* p = source ? source : "";
    while (*p == ' ') ++p;
    size_t n = 0;
    for (; *p && *p != ' '; ++p) {
        if (n + 1 < size) {
            const char c = *p;
            destination[n++] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        }
    }
    if (size) destination[n] = 0;
    if (*p == ' ') ++p;
    return p;
}
