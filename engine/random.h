// Per-thread random draws, seeded from the clock's whole seconds so runs can be replayed.
#pragma once

#include <cstdint>

// The clock reading every reseed uses: the calendar time in whole seconds,
// unless pin_clock() has fixed it (to replay the games of a given start).
uint32_t clock_seconds();
void pin_clock(uint32_t seconds);

// Every draw the calling thread has made, folded together, so that a change
// meant to keep the games as they are can show that it keeps every draw.
struct draw_record {
    uint64_t draws;
    uint64_t digest;  // FNV-1a over the draws, in order
};
draw_record random_record();

void reseed_random();         // the calling thread's generator, from clock_seconds()
int32_t random_draw();        // 0 to 2147483647 from the calling thread's generator
