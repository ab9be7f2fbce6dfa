#include "Random.h"

#include <cstdlib>

namespace {
RandomSource s_source = nullptr;
}  // namespace

int RandomNumber(int n) {
    // rand() % 0 would end the program; no caller may need more than none.
    if (n <= 0) return 0;
    if (s_source) return s_source(n);
    return rand() % n;
}

void SetRandomSourceForTests(RandomSource source) {
    s_source = source;
}
