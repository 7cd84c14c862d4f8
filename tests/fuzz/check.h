// What a fuzz target asserts: a broken promise aborts, which libFuzzer reports.
#pragma once

#include <cstdlib>

inline void check(bool holds)
{
    if (!holds)
        std::abort();
}
