#include "config/TextLine.h"

char* ReadTextLine(FILE* file) {
    static char line[TEXT_LINE_SIZE];
    int n = 0;
    int c;
    while ((c = getc(file)) != EOF && c != '\n' && c != '\r') {
        if (n < TEXT_LINE_SIZE - 1) line[n++] = static_cast<char>(c);
    }
    line[n] = 0;
    if (c == '\n' || c == '\r') {
        int other = c == '\n' ? '\r' : '\n';
        int next = getc(file);
        if (next != other && next != EOF) ungetc(next, file);
    }
    return line;
}
