// Internal assertions of the string and list code: they end the process in
// every build, Release included, with the C library's assertion text
// ("<file>:<line>: <function>: Assertion `<expression>' failed.").
#pragma once

[[noreturn]] void AssertFail(const char* expression, const char* file, unsigned line,
                             const char* function);
