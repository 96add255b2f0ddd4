#pragma once
// What a fuzz target asserts: a failed check names itself on standard error and aborts, which
// libFuzzer reports as a crash and keeps the input for.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition) ::tessoFuzzCheck(static_cast<bool>(condition), #condition, __FILE__, __LINE__)

inline void tessoFuzzCheck(bool condition, const char* text, const char* file, int line)
{
    if (condition)
        return;
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, text);
    std::abort();
}
