// What the batch player tells the person at the terminal: the progress line
// while it plays and the summary at the end.
#pragma once

#include <cstdint>
#include <string>

#include "batch/tally.h"

// One line, no line end: games done of wanted, a bar, games per second and
// the time left, from the seconds spent so far.
std::string progress_line(int64_t done, int64_t wanted, double seconds);

struct run_facts {
    uint32_t seed;
    int workers;
    int64_t wanted;
    double seconds;
    bool interrupted;
};

// Several lines: games, won with its rate, lost, unsolved, no-start, safe
// guesses, time and games per second.
std::string summary_text(const game_tally& total, const run_facts& facts);
