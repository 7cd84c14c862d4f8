// The zeroed flags, counters and texts every run starts from, for tests that
// start many runs in one process.
#pragma once

#include <cstdint>

// Every test plays as if the clock read this, so its fields are always the same.
inline constexpr uint32_t TEST_CLOCK = 1700000000;

// Clears the hand-off flags, the starting cell, the guess counts and both
// status texts, and pins the clock to TEST_CLOCK.
void reset_run_flags();
