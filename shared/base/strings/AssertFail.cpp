#include "strings/AssertFail.h"

// The C library declares its assertion reporter only while NDEBUG is unset.
#undef NDEBUG
#include <assert.h>

void AssertFail(const char* expression, const char* file, unsigned line, const char* function) {
    __assert_fail(expression, file, line, function);
}
